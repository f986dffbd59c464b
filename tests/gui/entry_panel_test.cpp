// The panel of club boxes: what a click shows, what typing changes.

#include <QClipboard>
#include <QGroupBox>

#include "editor_fixture.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"

namespace velquor::test {
namespace {

// Germany has 4 Champions League, 3 UEFA Cup and 2 Intertoto places.
const std::string kGermany =
    "\r\n*Germany\r\nBerlin FC\r\nMunich 1900\r\nHamburg SV\r\nKoln United\r\n"
    "Bremen FC\r\nDortmund Athletic\r\nStuttgart Kickers\r\nLeipzig Rovers\r\n"
    "Mainz 05\r\nBochum VfL\r\nAachen Alemannia\r\n"
    "\r\n*Andorra\r\nAndorra la Vella\r\n";

class EntryPanelTest : public EditorTest {
  protected:
    QString path;
    void SetUp() override {
        EditorTest::SetUp();
        path = write(QStringLiteral("de/euro.cfg"), kGermany);
        open(path);
    }
    std::shared_ptr<Liga> record(const char* name) {
        return findNation(*window->catalogue(), name);
    }
    bool red(const QString& name) {
        return label(name)->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
};

TEST_F(EntryPanelTest, TheCountsDecideWhichBoxesAreEnabledAndWhichLabelsAreRed) {
    click(QStringLiteral("Germany"));
    const std::vector<std::pair<const char*, bool>> expected = {
        {"UCL_0", true},       {"UCL_1", true},       {"UCL_2", true},       {"UCL_3", true},
        {"UEFA_0", true},      {"UEFA_1", true},      {"UEFA_2", true},      {"UEFA_3", false},
        {"intertoto_0", true}, {"intertoto_1", true}, {"intertoto_2", false}};
    for (const auto& [suffix, enabled] : expected) {
        QString boxName = QStringLiteral("txt") + QString::fromLatin1(suffix);
        boxName.replace(QStringLiteral("txtintertoto"), QStringLiteral("txtIntertoto"));
        EXPECT_EQ(box(boxName)->isEnabled(), enabled) << suffix;
        EXPECT_EQ(red(QStringLiteral("lbl") + QString::fromLatin1(suffix)), !enabled) << suffix;
    }
    EXPECT_FALSE(red(QStringLiteral("lblLiga")));
    EXPECT_FALSE(red(QStringLiteral("lblInfo")));
    for (QGroupBox* frame : window->findChildren<QGroupBox*>())
        EXPECT_TRUE(frame->isEnabled());

    // Club lines beyond the places were not read.
    EXPECT_EQ(box(QStringLiteral("txtUEFA_2"))->text(), QStringLiteral("Stuttgart Kickers"));
    EXPECT_EQ(box(QStringLiteral("txtIntertoto_1"))->text(), QStringLiteral("Mainz 05"));
    EXPECT_EQ(box(QStringLiteral("txtIntertoto_2"))->text(), QString());

    // A club in a place beyond the count is shown, in its disabled box.
    record("Germany")->UEFA4 = "Kiel Holstein";
    click(QStringLiteral("Andorra"));
    click(QStringLiteral("Germany"));
    EXPECT_EQ(box(QStringLiteral("txtUEFA_3"))->text(), QStringLiteral("Kiel Holstein"));
    EXPECT_FALSE(box(QStringLiteral("txtUEFA_3"))->isEnabled());
    EXPECT_FALSE(state().bModified);
}

TEST_F(EntryPanelTest, ANationWithNoChampionsLeaguePlaceHasThatFrameGreyedInside) {
    click(QStringLiteral("Andorra"));
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(box(QStringLiteral("txtUCL_%1").arg(k))->isEnabled());
        EXPECT_TRUE(red(QStringLiteral("lblUCL_%1").arg(k)));
    }
    EXPECT_TRUE(box(QStringLiteral("txtUEFA_0"))->isEnabled());
    EXPECT_FALSE(box(QStringLiteral("txtUEFA_1"))->isEnabled());
    // With no Champions League place, the first club line is the UEFA Cup's.
    EXPECT_EQ(box(QStringLiteral("txtUEFA_0"))->text(), QStringLiteral("Andorra la Vella"));
    EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), QString());

    // Back to Germany: the colours are applied anew, not added up.
    click(QStringLiteral("Germany"));
    EXPECT_TRUE(box(QStringLiteral("txtUCL_0"))->isEnabled());
    EXPECT_FALSE(red(QStringLiteral("lblUCL_0")));
}

TEST_F(EntryPanelTest, TypingChangesTheRecordAtOnceAndMarksTheDataModified) {
    click(QStringLiteral("Germany"));
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current League: Germany"));
    EXPECT_FALSE(state().bModified);
    type(QStringLiteral("txtUEFA_1"), QStringLiteral("s"));
    EXPECT_EQ(record("Germany")->UEFA2, "Dortmund Athletics");
    EXPECT_TRUE(state().bModified);

    // Leaving and coming back shows the edit and changes nothing.
    click(QStringLiteral("Andorra"));
    click(QStringLiteral("Germany"));
    EXPECT_EQ(box(QStringLiteral("txtUEFA_1"))->text(), QStringLiteral("Dortmund Athletics"));
    EXPECT_EQ(record("Andorra")->UEFA1, "Andorra la Vella");

    erase(QStringLiteral("txtUCL_3"));
    EXPECT_EQ(record("Germany")->UCL4, "");
    dialogs.answers = {platform::MessageAnswer::Save};  // the clubs beyond Germany's places go
    trigger("tolGuardar");
    EXPECT_EQ(read(path),
              "\r\n*Andorra\r\nAndorra la Vella\r\n\r\n*Germany\r\nBerlin FC\r\nMunich "
              "1900\r\nHamburg SV\r\nBremen FC\r\n"
              "Dortmund Athletics\r\nStuttgart Kickers\r\nLeipzig Rovers\r\nMainz 05\r\n");
}

TEST_F(EntryPanelTest, BoxesRefuseWhatTheFileCouldNotHoldAndSayWhy) {
    click(QStringLiteral("Germany"));
    QLineEdit* first = box(QStringLiteral("txtUCL_0"));
    const QString before = first->text();
    const QString lineBreak =
        QStringLiteral("A club name is one line: line breaks cannot be stored.");
    const struct {
        bool atStart, pasted;
        QString text, reason;
    } rows[] = {
        {true, false, QStringLiteral("*"),
         QStringLiteral("A club name cannot start with \"*\": the line would read as a nation.")},
        {false, false, QString::fromUtf8("\u0141"),
         QString::fromUtf8("\"\u0141\" cannot be stored in euro.cfg.")},
        {false, true, QString::fromUtf8("x\u00E9\u0142\u0141"),
         QString::fromUtf8("\"\u0142\" cannot be stored in euro.cfg.")},
        {false, true, QStringLiteral("\n"), lineBreak},
        {false, true, QStringLiteral("\r"), lineBreak},
        {false, true, QStringLiteral("Two\r\nLines"), lineBreak},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        first->setFocus();
        row.atStart ? first->home(false) : first->end(false);
        if (row.pasted) {
            QApplication::clipboard()->setText(row.text);
            first->paste();
        } else {
            keys(first, row.text);
        }
        EXPECT_EQ(first->text(), before);
        EXPECT_EQ(record("Germany")->UCL1, before.toStdString());
        EXPECT_TRUE(label(QStringLiteral("lblInfo"))->isVisible());
        EXPECT_EQ(label(QStringLiteral("lblInfo"))->text(), row.reason);
    }
    EXPECT_FALSE(state().bModified);

    // Letters of the code page and an asterisk inside a name are fine, and
    // the next edit puts the status label away.
    erase(QStringLiteral("txtUCL_0"));
    type(QStringLiteral("txtUCL_0"), QString::fromUtf8("M\u00FCnchen *1860* \u20AC"));
    EXPECT_EQ(record("Germany")->UCL1, "M\xFCnchen *1860* \x80");
    EXPECT_FALSE(label(QStringLiteral("lblInfo"))->isVisible());
}

TEST_F(EntryPanelTest, TabFollowsTheWindowsOrder) {
    open(sample());
    click(QStringLiteral("Italy"));
    window->EnablePanel(true);  // every box takes the focus
    QWidget* from = box(QStringLiteral("txtIntertoto_1"));
    from->setFocus();
    QStringList visited;
    for (int k = 0; k < 4; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"txtUCL_3", "txtIntertoto_2", "txtUEFA_3", "Treeview1"}));

    box(QStringLiteral("txtUCL_2"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtUEFA_0"))
        << "the hidden TreeView2 is skipped";
}

}  // namespace
}  // namespace velquor::test
