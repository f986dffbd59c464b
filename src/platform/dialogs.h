#pragma once

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace velquor::platform {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel, SaveCancel, RecoverDiscard };
enum class MessageAnswer { Ok, Yes, No, Cancel, Save, Recover, Discard };

struct MessageRequest {
    // A constructor rather than an aggregate, so the callers that need no
    // details need not name them.
    MessageRequest(QString text, QString title = {}, MessageIcon icon = MessageIcon::None,
                   MessageButtons buttons = MessageButtons::Ok, QString details = {})
        : text(std::move(text)),
          title(std::move(title)),
          icon(icon),
          buttons(buttons),
          details(std::move(details)) {}

    QString text;
    QString title;  // empty: the application's title
    MessageIcon icon;
    MessageButtons buttons;
    QString details;  // what the text leaves out (a long list, what happened); shown apart
    /// The button Enter presses; unset: the platform's choice.
    std::optional<MessageAnswer> defaultAnswer;
};

struct FileRequest {
    QString caption;
    QString filter;     // Qt filter syntax, e.g. "Euro setup (euro.cfg)"
    QString directory;  // where the dialog starts; empty for the default
};

/// Every modal interaction of the program: file dialogs, message boxes and
/// the modal show of its own dialogs. The program holds one, so tests can
/// script the answers and record what was asked without a window blocking.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    /// The chosen path, or an empty text when the user cancelled.
    virtual QString openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual MessageAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    /// Shows dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int exec(QDialog& dialog) = 0;
};

/// The real dialogs: QFileDialog, QMessageBox and QDialog::exec.
class QtDialogs : public Dialogs {
  public:
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    MessageAnswer message(QWidget* parent, const MessageRequest& request) override;
    int exec(QDialog& dialog) override;
};

}  // namespace velquor::platform
