// What a screen reader learns through Qt's accessibility interface: names,
// descriptions and states of the controls. (Change events are not checked:
// without a platform bridge, as headless, Qt sends none.)

#include <QAccessible>
#include <QGroupBox>
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

TEST_F(AccessibilityTest, EveryControlIsNamedInPlainEnglish) {
    ui::frmBuscar find(window.get());
    ui::frmAbout about(platform, window.get());
    auto* band = window->findChild<QToolBar*>(QStringLiteral("Band1"));
    const auto in = [](QWidget* parent, const char* name) {
        return parent->findChild<QWidget*>(QString::fromLatin1(name));
    };
    std::vector<std::pair<QObject*, QString>> rows = {
        {tree(), "Nations"},
        {in(window.get(), "Frame2"), "UEFA"},
        {label("lblLiga"), "Current league:"},
        {label("lblUEFA_0"), "1st team"},
        {label("lblintertoto_2"), "3th team"},  // the caption, misspelt as it is
        {band->widgetForAction(tool("tolAbrir")), "Open"},
        {band->widgetForAction(tool("tolGuardar")), "Save"},
        {band->widgetForAction(tool("tolSaveAs")), "Save as"},
        {band->widgetForAction(tool("tolFind")), "Find"},
        {band->widgetForAction(tool("tolAbout")), "About"},
        // The find box is named although its label is the OK button's buddy.
        {in(&find, "txtBuscar"), "Find"},
        {in(&find, "Label1"), "Find"},
        {in(&find, "chkMayusculas"), "Match case"},
        {in(&find, "cmdAceptar"), "Ok"},
        {in(&find, "cmdCancelar"), "Cancel"},
        {in(&about, "cmdOK"), "Ok"},
        {in(&about, "cmdSysInfo"), "System info"},
        {in(&about, "lblVersion"), ui::frmAbout::versionLine()},
    };
    for (const auto& [name, spoken] : kBoxNames)
        rows.emplace_back(box(QString::fromLatin1(name)), QString::fromLatin1(spoken));
    for (const auto& [object, spoken] : rows) {
        ASSERT_NE(object, nullptr) << spoken.toStdString();
        EXPECT_EQ(nameOf(object), spoken) << object->objectName().toStdString();
    }
    EXPECT_EQ(qobject_cast<QLabel*>(in(&find, "Label1"))->buddy(), in(&find, "cmdAceptar"));
    EXPECT_EQ(descriptionOf(band->widgetForAction(tool("tolAbrir"))), QStringLiteral("Open file"));
    EXPECT_TRUE(disabled(band->widgetForAction(tool("tolFind"))));

    // Labels point a reader at their boxes.
    std::set<QObject*> labelledBy;
    for (const auto& [face, relation] :
         reader(box(QStringLiteral("txtUEFA_3")))->relations(QAccessible::Label))
        labelledBy.insert(face->object());
    EXPECT_EQ(labelledBy, (std::set<QObject*>{label(QStringLiteral("lblUEFA_3")),
                                              window->findChild<QGroupBox*>("Frame2")}));

    // A reader walking down from the window meets the boxes and one tree.
    std::multimap<QAccessible::Role, QString> met;
    collectNames(reader(window.get()), met);
    std::set<QString> boxesMet;
    for (const auto& [role, name] : met)
        if (role == QAccessible::EditableText)
            boxesMet.insert(name);
    for (const auto& [name, spoken] : kBoxNames)
        EXPECT_EQ(boxesMet.count(QString::fromLatin1(spoken)), 1u) << spoken;
    EXPECT_EQ(met.count(QAccessible::Tree), 1u);
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

}  // namespace
}  // namespace velquor::test
