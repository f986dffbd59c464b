// What a screen reader learns through Qt's accessibility interface. (Change
// events are not checked: without a platform bridge, as headless, Qt sends none.)

#include <QAccessible>
#include <QToolBar>

#include "editor_fixture.h"
#include "ui/about/frm_about.h"
#include "ui/find/frm_buscar.h"

namespace velquor::test {
namespace {

QAccessibleInterface* reader(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(face, nullptr) << object->objectName().toStdString();
    return face;
}

using AccessibilityTest = EditorTest;

TEST_F(AccessibilityTest, EveryControlIsNamedInPlainEnglish) {
    ui::frmBuscar find(window.get());
    ui::frmAbout about(platform, window.get());
    auto* band = window->findChild<QToolBar*>("Band1");
    const auto in = [](QWidget* parent, const char* name) {
        return parent->findChild<QWidget*>(name);
    };
    const auto button = [&](const char* name) { return band->widgetForAction(tool(name)); };
    tool("tolSaveAs")->setText("Save as");  // the action tells its button again: no tooltip
    // Name and description. The caption "3th" is misspelt as it is; the find box is
    // named although its label is the OK button's buddy.
    // clang-format off
    std::vector<std::tuple<QObject*, QString, QString>> rows = {
        {tree(), "Nations", ""}, {in(window.get(), "Frame2"), "UEFA", ""},
        {label("lblLiga"), "Current league:", ""}, {label("lblUEFA_0"), "1st team", "Required field"},
        {label("lblintertoto_2"), "3th team", "Required field"},
        {button("tolAbrir"), "Open", "Open file"}, {button("tolGuardar"), "Save", "Save file"},
        {button("tolSaveAs"), "Save as", ""}, {button("tolFind"), "Find", "Find"},
        {button("tolAbout"), "About", "About Velquor Editor"}, {in(&find, "txtBuscar"), "Find", ""},
        {in(&find, "Label1"), "Find", ""}, {in(&find, "chkMayusculas"), "Match case", ""},
        {in(&find, "cmdAceptar"), "Ok", ""}, {in(&find, "cmdCancelar"), "Cancel", ""},
        {in(&about, "cmdOK"), "Ok", ""}, {in(&about, "cmdSysInfo"), "System info", ""},
        {in(&about, "lblVersion"), ui::frmAbout::versionLine(), ""}};
    // clang-format on
    for (const auto& [boxName, labelName, spoken] : kBoxes)
        rows.emplace_back(box(boxName), spoken, "");
    for (const auto& [object, name, description] : rows) {
        ASSERT_NE(object, nullptr) << name.toStdString();
        SCOPED_TRACE(object->objectName().toStdString());
        EXPECT_EQ(reader(object)->text(QAccessible::Name), name);
        EXPECT_EQ(reader(object)->text(QAccessible::Description), description);
    }
    EXPECT_EQ(qobject_cast<QLabel*>(in(&find, "Label1"))->buddy(), in(&find, "cmdAceptar"));
    EXPECT_TRUE(reader(button("tolFind"))->state().disabled);
    EXPECT_TRUE(reader(box("txtUCL_0"))->state().disabled);
}

}  // namespace
}  // namespace velquor::test
