// What a screen reader learns through Qt's accessibility interface: names,
// descriptions and states of the controls. (Change events are not checked:
// without a platform bridge, as headless, Qt sends none.)

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QToolBar>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "editor_fixture.h"
#include "ui/about/frm_about.h"
#include "ui/find/frm_buscar.h"

namespace velquor::test {
namespace {

// Germany has 4 Champions League, 3 UEFA Cup and 2 Intertoto places,
// Andorra none, one and none.
const std::string kGermanyAndorra =
    "\r\n*Germany\r\nBerlin FC\r\nMunich 1900\r\nHamburg SV\r\nKoln United\r\n"
    "Bremen FC\r\nDortmund Athletic\r\nStuttgart Kickers\r\nLeipzig Rovers\r\n"
    "Mainz 05\r\n\r\n*Andorra\r\nAndorra la Vella\r\n";

const std::vector<std::pair<const char*, const char*>> kBoxNames = {
    {"txtUCL_0", "Champions League, 1st team"}, {"txtUCL_1", "Champions League, 2nd team"},
    {"txtUCL_2", "Champions League, 3rd team"}, {"txtUCL_3", "Champions League, 4th team"},
    {"txtUEFA_0", "UEFA Cup, 1st team"},        {"txtUEFA_1", "UEFA Cup, 2nd team"},
    {"txtUEFA_2", "UEFA Cup, 3rd team"},        {"txtUEFA_3", "UEFA Cup, 4th team"},
    {"txtIntertoto_0", "Intertoto, 1st team"},  {"txtIntertoto_1", "Intertoto, 2nd team"},
    {"txtIntertoto_2", "Intertoto, 3rd team"}};

QAccessibleInterface* reader(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(face, nullptr) << object->objectName().toStdString();
    return face;
}
QString nameOf(QObject* object) {
    QAccessibleInterface* face = reader(object);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}
QString descriptionOf(QObject* object) {
    QAccessibleInterface* face = reader(object);
    return face ? face->text(QAccessible::Description) : QStringLiteral("<none>");
}
bool disabled(QObject* object) {
    QAccessibleInterface* face = reader(object);
    return !face || face->state().disabled;
}

// Every name a reader meets walking down from face, by role.
void collectNames(QAccessibleInterface* face, std::multimap<QAccessible::Role, QString>& names) {
    for (int k = 0; k < face->childCount(); ++k) {
        QAccessibleInterface* child = face->child(k);
        if (!child || child->state().invisible)
            continue;
        names.emplace(child->role(), child->text(QAccessible::Name));
        collectNames(child, names);
    }
}

class AccessibilityTest : public EditorTest {
  protected:
    std::map<QString, QString> descriptions() const {
        std::map<QString, QString> result;
        for (const auto& [name, spoken] : kBoxNames)
            result[QString::fromLatin1(name)] = descriptionOf(box(QString::fromLatin1(name)));
        return result;
    }
    // The boxes described as having no place; every other one must say nothing.
    std::set<QString> withoutPlace() const {
        std::set<QString> result;
        for (const auto& [name, text] : descriptions()) {
            if (text == ui::texts::kNoPlace)
                result.insert(name);
            else
                EXPECT_EQ(text, QString()) << name.toStdString();
        }
        return result;
    }
};

TEST_F(AccessibilityTest, ClubBoxesAreNamedByCompetitionAndPlaceInPlainEnglish) {
    for (const auto& [name, spoken] : kBoxNames) {
        QLineEdit* target = box(QString::fromLatin1(name));
        ASSERT_NE(target, nullptr) << name;
        EXPECT_EQ(nameOf(target), QString::fromLatin1(spoken)) << name;
        EXPECT_EQ(reader(target)->role(), QAccessible::EditableText) << name;
    }
    // The labels keep their captions, the misspelt one included, and point
    // a reader at their boxes.
    EXPECT_EQ(nameOf(label(QStringLiteral("lblintertoto_2"))), QStringLiteral("3th team"));
    EXPECT_EQ(label(QStringLiteral("lblintertoto_2"))->text(), QStringLiteral("3th team"));
    EXPECT_EQ(nameOf(label(QStringLiteral("lblUEFA_0"))), QStringLiteral("1st team"));
    std::set<QObject*> labelledBy;
    for (const auto& [face, relation] :
         reader(box(QStringLiteral("txtUEFA_3")))->relations(QAccessible::Label))
        labelledBy.insert(face->object());
    EXPECT_EQ(labelledBy, (std::set<QObject*>{label(QStringLiteral("lblUEFA_3")),
                                              window->findChild<QGroupBox*>("Frame2")}));

    EXPECT_EQ(nameOf(tree()), QStringLiteral("Nations"));
    EXPECT_EQ(nameOf(window->findChild<QGroupBox*>(QStringLiteral("Frame2"))),
              QStringLiteral("UEFA"));
    EXPECT_EQ(nameOf(label(QStringLiteral("lblLiga"))), QStringLiteral("Current league:"));
}

TEST_F(AccessibilityTest, AReaderWalkingTheWindowMeetsEveryBoxTheTreeAndTheTools) {
    std::multimap<QAccessible::Role, QString> names;
    collectNames(reader(window.get()), names);
    auto has = [&](QAccessible::Role role, const QString& name) {
        const auto [first, last] = names.equal_range(role);
        for (auto it = first; it != last; ++it)
            if (it->second == name)
                return true;
        return false;
    };
    for (const auto& [name, spoken] : kBoxNames)
        EXPECT_TRUE(has(QAccessible::EditableText, QString::fromLatin1(spoken))) << spoken;
    EXPECT_TRUE(has(QAccessible::Tree, QStringLiteral("Nations")));
    for (const char* caption : {"Open", "Save", "Save as", "Find", "About"})
        EXPECT_TRUE(has(QAccessible::Button, QString::fromLatin1(caption))) << caption;
    // The stand-in tree is hidden, so the reader meets one list of nations.
    EXPECT_EQ(names.count(QAccessible::Tree), 1u);
}

TEST_F(AccessibilityTest, ToolButtonsAreNamedByTheirCaptionsAndDescribedByTheirTips) {
    auto* band = window->findChild<QToolBar*>(QStringLiteral("Band1"));
    const std::vector<std::pair<const char*, const char*>> tools = {{"tolAbrir", "Open"},
                                                                    {"tolGuardar", "Save"},
                                                                    {"tolSaveAs", "Save as"},
                                                                    {"tolFind", "Find"},
                                                                    {"tolAbout", "About"}};
    for (const auto& [name, caption] : tools) {
        QWidget* button = band->widgetForAction(tool(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(nameOf(button), QString::fromLatin1(caption)) << name;
    }
    EXPECT_EQ(descriptionOf(band->widgetForAction(tool("tolAbrir"))), QStringLiteral("Open file"));
    // Find stays off until a file with two nations is open, and says so.
    EXPECT_TRUE(disabled(band->widgetForAction(tool("tolFind"))));
    EXPECT_FALSE(disabled(band->widgetForAction(tool("tolAbout"))));
}

TEST_F(AccessibilityTest, BoxesWithoutAPlaceAreDisabledAndSayWhy) {
    // Nothing chosen yet: every box is off, but none lacks a place.
    for (const auto& [name, spoken] : kBoxNames)
        EXPECT_TRUE(disabled(box(QString::fromLatin1(name)))) << name;
    EXPECT_TRUE(withoutPlace().empty());

    open(write(QStringLiteral("ga/euro.cfg"), kGermanyAndorra));
    click(QStringLiteral("Germany"));
    EXPECT_EQ(withoutPlace(), (std::set<QString>{"txtUEFA_3", "txtIntertoto_2"}));
    for (const auto& [name, spoken] : kBoxNames) {
        const QString boxName = QString::fromLatin1(name);
        EXPECT_EQ(disabled(box(boxName)), withoutPlace().count(boxName) == 1) << name;
    }

    // Another nation: the descriptions are worked out anew, not added up.
    click(QStringLiteral("Andorra"));
    EXPECT_EQ(
        withoutPlace(),
        (std::set<QString>{"txtUCL_0", "txtUCL_1", "txtUCL_2", "txtUCL_3", "txtUEFA_1", "txtUEFA_2",
                           "txtUEFA_3", "txtIntertoto_0", "txtIntertoto_1", "txtIntertoto_2"}));
    EXPECT_FALSE(disabled(box(QStringLiteral("txtUEFA_0"))));
    click(QStringLiteral("Germany"));
    EXPECT_EQ(withoutPlace(), (std::set<QString>{"txtUEFA_3", "txtIntertoto_2"}));

    // Opening again empties and shuts the panel: off, yet no lack of place.
    open(write(QStringLiteral("ga2/euro.cfg"), kGermanyAndorra));
    EXPECT_TRUE(disabled(box(QStringLiteral("txtUCL_0"))));
    EXPECT_TRUE(withoutPlace().empty());
}

TEST_F(AccessibilityTest, TheFindDialogNamesItsBoxEvenThoughItsLabelBelongsToOk) {
    ui::frmBuscar dialog(window.get());
    auto* text = dialog.findChild<QLineEdit*>(QStringLiteral("txtBuscar"));
    EXPECT_EQ(nameOf(text), QStringLiteral("Find"));
    EXPECT_EQ(nameOf(dialog.findChild<QLabel*>(QStringLiteral("Label1"))), QStringLiteral("Find"));
    EXPECT_EQ(nameOf(dialog.findChild<QCheckBox*>(QStringLiteral("chkMayusculas"))),
              QStringLiteral("Match case"));
    EXPECT_EQ(nameOf(dialog.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))),
              QStringLiteral("Ok"));
    EXPECT_EQ(nameOf(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))),
              QStringLiteral("Cancel"));
    // Its access key is still the OK button's, as before.
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->buddy(),
              dialog.findChild<QPushButton*>(QStringLiteral("cmdAceptar")));
}

TEST_F(AccessibilityTest, TheAboutButtonsAreNamedByTheirCaptions) {
    ui::frmAbout about(platform, window.get());
    EXPECT_EQ(nameOf(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))), QStringLiteral("Ok"));
    EXPECT_EQ(nameOf(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))),
              QStringLiteral("System info"));
    EXPECT_EQ(nameOf(about.findChild<QLabel*>(QStringLiteral("lblVersion"))),
              ui::frmAbout::versionLine());
}

}  // namespace
}  // namespace velquor::test
