// The window's static make-up: every control at its place in twips.

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/main/club_validator.h"
#include "ui/main/frm_editor.h"
#include "ui/main/layout_font.h"
#include "ui/main/tree_frame.h"
#include "ui/twips.h"

namespace velquor::ui {

namespace {

constexpr int kClientWidth = 8205;
constexpr int kClientHeight = 6525;

// MS Sans Serif, Tahoma and Verdana are rarely there outside Windows;
// DejaVu Sans comes closest.
QFont makeFont(QStringList families, bool bold = false) {
    return layoutFont(families << QStringLiteral("DejaVu Sans"), bold);
}

QFont windowFont() {
    return makeFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QRect& rect) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(rect);
    l->setFont(windowFont());
    return l;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& rect) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(rect);
    box->setFont(windowFont());
    box->setValidator(new ClubValidator(box));
    return box;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& rect) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    f->setGeometry(rect);
    f->setFont(
        makeFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")}, true));
    return f;
}

// One framed group: its boxes and the labels that name their places. A
// screen reader hears the competition with each place, in proper English
// ("3rd" where the Intertoto caption says "3th").
template <std::size_t N>
void fillFrame(QGroupBox* f, const QString& boxName, const QString& labelName,
               const QString& competition, std::array<QLineEdit*, N>& boxes,
               std::array<QLabel*, N>& labels, int firstTop,
               const std::array<const char*, N>& captions) {
    static constexpr std::array<int, 4> kLabelWidths = {1095, 1335, 1335, 1335};
    static constexpr std::array<const char*, 4> kOrdinals = {"1st", "2nd", "3rd", "4th"};
    for (std::size_t k = 0; k < N; ++k) {
        const int top = firstTop + 420 * static_cast<int>(k);
        boxes[k] = textBox(f, QStringLiteral("%1_%2").arg(boxName).arg(k),
                           twipsRect(1200, top, 3135, 315));
        boxes[k]->setAccessibleName(
            QStringLiteral("%1, %2 team").arg(competition, QLatin1String(kOrdinals[k])));
        labels[k] =
            label(f, QStringLiteral("%1_%2").arg(labelName).arg(k),
                  QString::fromLatin1(captions[k]), twipsRect(120, top + 60, kLabelWidths[k], 255));
        // No access key in the captions: the buddy only ties label and box
        // together for assistive tools.
        labels[k]->setBuddy(boxes[k]);
    }
}

}  // namespace

void frmEditor::buildWindow() {
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(texts::kCaption);
    setWindowIcon(ImageList1.picture(QStringLiteral("Pelota")));
    setAcceptDrops(true);
    setFont(windowFont());
    // Resizable, but without a maximise box: the controls keep their places.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    buildToolbar();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(px(kClientWidth), px(kClientHeight));
    setCentralWidget(client);
    buildTrees(client);
    buildPanel(client);
    buildStatus(client);
    restoreStartColours();
    setTabOrder();

    // Closing from the keyboard alone, without a window manager's key; kept
    // off the toolbar, which holds its five tools only.
    auto* quit = new QAction(QStringLiteral("Quit"), this);
    quit->setObjectName(QStringLiteral("actQuit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    resize(minimumSizeHint());
}

void frmEditor::buildToolbar() {
    Band1 = new QToolBar(QStringLiteral("Band1"), this);
    Band1->setObjectName(QStringLiteral("Band1"));
    Band1->setMovable(false);
    Band1->setFloatable(false);
    Band1->setIconSize(QSize(16, 16));
    Band1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Band1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, Band1);

    auto tool = [this](const QString& name, const QString& caption, const QString& tip,
                       const QString& picture, const QKeySequence& shortcut) {
        auto* action = new QAction(programPicture(picture), caption, this);
        action->setObjectName(name);
        if (!tip.isEmpty())
            action->setToolTip(tip);
        action->setShortcut(shortcut);
        Band1->addAction(action);
        // Said as the caption; the tooltip, where there is one, describes it.
        if (QWidget* button = Band1->widgetForAction(action))
            button->setAccessibleName(caption);
        return action;
    };
    tolAbrir = tool(QStringLiteral("tolAbrir"), QStringLiteral("Open"), QStringLiteral("Open file"),
                    QStringLiteral("document-open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    tolGuardar =
        tool(QStringLiteral("tolGuardar"), QStringLiteral("Save"), QStringLiteral("Save file"),
             QStringLiteral("document-save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    tolSaveAs =
        tool(QStringLiteral("tolSaveAs"), QStringLiteral("Save as"), QString(),
             QStringLiteral("document-save-as"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Band1->addSeparator();
    tolFind = tool(QStringLiteral("tolFind"), QStringLiteral("Find"), QStringLiteral("Find"),
                   QStringLiteral("edit-find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    Band1->addSeparator();
    tolAbout = tool(QStringLiteral("tolAbout"), QStringLiteral("About"),
                    QStringLiteral("About Velquor Editor"), QStringLiteral("help-browser"),
                    QKeySequence(Qt::Key_F1));
    // A button takes its action's caption as tooltip when the action has
    // none; this tool has none at all, not even for a screen reader.
    QWidget* saveAsButton = Band1->widgetForAction(tolSaveAs);
    saveAsButton->setToolTip(QString());
    connect(tolSaveAs, &QAction::changed, saveAsButton,
            [saveAsButton] { saveAsButton->setToolTip(QString()); });
}

void frmEditor::buildTrees(QWidget* client) {
    auto tree = [client](const QString& name, const QRect& rect) {
        auto* view = new QTreeWidget(client);
        view->setObjectName(name);
        view->setGeometry(rect);
        view->setFont(makeFont({QStringLiteral("Tahoma")}));
        view->setHeaderHidden(true);
        view->setRootIsDecorated(false);
        view->setColumnCount(1);
        view->setIconSize(QSize(16, 16));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        return view;
    };
    Treeview1 = tree(QStringLiteral("Treeview1"), twipsRect(120, 60, 3255, 5775));
    TreeView2 = tree(QStringLiteral("TreeView2"), twipsRect(120, 180, 3255, 5295));
    // The stand-in shows while the tree is emptied; to a reader it is the same list.
    for (QTreeWidget* view : {Treeview1, TreeView2}) {
        view->setAccessibleName(QStringLiteral("Nations"));
        new TreeFrame(view);
    }
    TreeView2->hide();
    Treeview1->viewport()->installEventFilter(this);
}

void frmEditor::buildPanel(QWidget* client) {
    // As wide as the frames below it: a bold "Republic of Ireland" in the
    // fonts Linux ships does not fit the width measured for Verdana.
    lblLiga = label(client, QStringLiteral("lblLiga"), texts::kCurrentLeague,
                    twipsRect(3660, 60, 4455, 195));
    lblLiga->setFont(makeFont({QStringLiteral("Verdana")}, true));

    Frame1 = frame(client, QStringLiteral("Frame1"), QStringLiteral("Champions League"),
                   twipsRect(3660, 360, 4455, 1875));
    Frame2 = frame(client, QStringLiteral("Frame2"), QStringLiteral("UEFA"),
                   twipsRect(3660, 2340, 4455, 1875));
    Frame3 = frame(client, QStringLiteral("Frame3"), QStringLiteral("Intertoto"),
                   twipsRect(3660, 4260, 4455, 1575));

    fillFrame<4>(Frame1, QStringLiteral("txtUCL"), QStringLiteral("lblUCL"),
                 QStringLiteral("Champions League"), txtUCL, lblUCL, 240,
                 {"1st team", "2nd team", "3rd team", "4th team"});
    fillFrame<4>(Frame2, QStringLiteral("txtUEFA"), QStringLiteral("lblUEFA"),
                 QStringLiteral("UEFA Cup"), txtUEFA, lblUEFA, 240,
                 {"1st team", "2nd team", "3rd team", "4th team"});
    fillFrame<3>(Frame3, QStringLiteral("txtIntertoto"), QStringLiteral("lblintertoto"),
                 QStringLiteral("Intertoto"), txtIntertoto, lblintertoto, 300,
                 {"1st team", "2nd team", "3th team"});

    for (QLabel* l : requiredLabels())
        l->setToolTip(QStringLiteral("Required field"));
}

// The first two places of the cups, and all three of the Intertoto, are the
// ones a nation always fills.
std::array<QLabel*, 7> frmEditor::requiredLabels() const {
    return {lblUCL[0],       lblUCL[1],       lblUEFA[0],     lblUEFA[1],
            lblintertoto[0], lblintertoto[1], lblintertoto[2]};
}

void frmEditor::restoreStartColours() {
    for (QLabel* l : findChildren<QLabel*>()) {
        l->setPalette(QPalette());
        l->setForegroundRole(QPalette::NoRole);
    }
    for (QLabel* l : {lblUCL[2], lblUCL[3], lblUEFA[2], lblUEFA[3]})
        l->setForegroundRole(QPalette::ButtonText);
    for (QLabel* l : requiredLabels())
        l->setForegroundRole(QPalette::WindowText);
}

QRect frmEditor::infoPlace() {
    return twipsRect(120, 5880, 1455, 255);
}

void frmEditor::buildStatus(QWidget* client) {
    lblInfo =
        label(client, QStringLiteral("lblInfo"), QStringLiteral("Loadind data..."), infoPlace());
    lblInfo->hide();
    pbar = new QProgressBar(client);
    pbar->setObjectName(QStringLiteral("pbar"));
    pbar->setGeometry(twipsRect(1680, 5880, 6495, 255));
    pbar->setRange(0, 100);
    pbar->setTextVisible(false);
    pbar->hide();
}

void frmEditor::setTabOrder() {
    const std::array<QWidget*, 14> order = {
        Treeview1,  txtUCL[0],       txtUCL[1],  txtUCL[2],       TreeView2,
        txtUEFA[0], txtUEFA[1],      txtUEFA[2], txtIntertoto[0], txtIntertoto[1],
        txtUCL[3],  txtIntertoto[2], txtUEFA[3], Treeview1};
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        QWidget::setTabOrder(order[k], order[k + 1]);
}

}  // namespace velquor::ui
