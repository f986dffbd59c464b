#pragma once

#include <QString>
#include <QValidator>

namespace velquor::ui {

/// Refuses an edit of a club box that euro.cfg could not hold: a line break
/// (it would split the line), a leading "*" (the line would read as a nation
/// header), or a character outside the file's code page. What the box held
/// before is measured too, so a name read from the file that already has
/// such a thing can still be edited; only what an edit adds is refused.
class ClubValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;

    /// Call whenever the box's text changes, so the next edit is judged
    /// against the text it starts from.
    void setAccepted(const QString& text) { accepted_ = text; }

    /// Why the last refused edit was refused.
    QString reason() const { return reason_; }

    /// The reason an edit from before to after is refused; empty when it is fine.
    static QString refusal(const QString& before, const QString& after);

  private:
    QString accepted_;
    mutable QString reason_;
};

}  // namespace velquor::ui
