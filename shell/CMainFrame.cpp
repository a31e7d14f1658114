#include "shell/CMainFrame.h"

#include "document/CTest1Doc.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

const QString CMainFrame::IdleText = QStringLiteral(" Norhaven");

namespace {
// Qt shows a status tip of "" as "go back to idle"; a prompt that is meant to blank
// the pane is sent as a single blank instead.
QString statusTipFor(const CommandInfo& info) {
    const QString prompt = QString::fromUtf8(info.prompt);
    return prompt.isEmpty() ? QStringLiteral(" ") : prompt;
}
} // namespace

CMainFrame::CMainFrame(CTest1Doc& document, QWidget* parent)
    : QMainWindow(parent), document_(document) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    UpdateTitle();
}

bool CMainFrame::Create() {
    createMenus();
    if (!createToolBar())
        return false;
    messagePane_ = new QLabel(IdleText, this);
    messagePane_->setTextFormat(Qt::PlainText);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(messagePane_, 1);
    RefreshCommandStates();
    return true;
}

void CMainFrame::SetView(QWidget* view) {
    setCentralWidget(view);
    view->setFocus();
}

QAction* CMainFrame::makeAction(int id, bool forToolbar) {
    const CommandInfo& info = *FindCommand(id);
    QString text = QString::fromUtf8(info.label);
    // With a tab in the text the menu shows our shortcut text and not Qt's own.
    if (info.shortcutText && !forToolbar)
        text += QLatin1Char('\t') + QString::fromUtf8(info.shortcutText);
    auto* action = new QAction(text, this);
    action->setStatusTip(statusTipFor(info));
    action->setCheckable(info.checkable);
    if (info.tooltip)
        action->setToolTip(QString::fromUtf8(info.tooltip));
    if (forToolbar)
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromUtf8(info.icon)));
    connect(action, &QAction::triggered, this, [this, id, action] {
        // A checkable action flips itself on click; the command decides the state.
        Dispatch(id);
        action->setChecked(router_.IsChecked(id));
    });
    return action;
}

void CMainFrame::createMenus() {
    QHash<QString, QMenu*> menus;
    QMenu* submenu = nullptr;
    for (const CommandInfo& info : CommandTable()) {
        const QString name = QString::fromUtf8(info.menu);
        QMenu*& menu = menus[name];
        if (!menu) {
            menu = menuBar()->addMenu(name);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommandStates);
        }
        QMenu* target = menu;
        if (info.submenu) {
            if (!submenu || submenu->title() != QString::fromUtf8(info.submenu))
                submenu = menu->addMenu(QString::fromUtf8(info.submenu));
            target = submenu;
        }
        QAction* action = makeAction(info.id, false);
        // Keys live on window-wide actions: the menu item shows only our own text.
        if (!info.keys.empty()) {
            auto* keys = new QAction(this);
            QList<QKeySequence> sequences;
            for (const char* key : info.keys)
                sequences << QKeySequence(QString::fromUtf8(key));
            keys->setShortcuts(sequences);
            keys->setShortcutContext(Qt::WindowShortcut);
            connect(keys, &QAction::triggered, this, [this, id = info.id] { Dispatch(id); });
            addAction(keys);
        }
        target->addAction(action);
        if (info.separatorAfter)
            target->addSeparator();
        menuActions_.insert(info.id, action);
    }
}

bool CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setAllowedAreas(Qt::TopToolBarArea);
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    std::vector<const CommandInfo*> places(9, nullptr);
    for (const CommandInfo& info : CommandTable()) {
        if (info.toolbarPlace > 0)
            places[info.toolbarPlace] = &info;
    }
    for (int place = 1; place <= 8; ++place) {
        const CommandInfo* info = places[place];
        if (!info)
            return false;
        QAction* action = makeAction(info->id, true);
        if (action->icon().pixmap(QSize(16, 15)).isNull())
            return false;
        toolBar_->addAction(action);
        toolbarActions_.insert(info->id, action);
        if (ToolbarGapAfter(place))
            toolBar_->addSeparator();
    }
    return true;
}

QString CMainFrame::WindowTitleFor(const CTest1Doc& document) {
    QString name = document.title.empty() ? QStringLiteral("Untitled")
                                          : QString::fromStdString(document.title);
    // "[*]" in a title is the modified-marker placeholder; keep it literal.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral(" - KORVEX Model Viewer");
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(WindowTitleFor(document_));
}

QSize CMainFrame::InitialSize(const QSize& screen) {
    const int width = std::min(770, static_cast<int>(0.8 * screen.width()));
    const int height = std::min(550, static_cast<int>(0.8 * screen.height()));
    return {width, height};
}

void CMainFrame::ApplyInitialSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(InitialSize(screen ? screen->size() : QSize(770 / 0.8, 550 / 0.8)));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (sizeFitted_)
        return;
    sizeFitted_ = true;
    // The size counts the window manager's frame too; it is known once the window
    // has been decorated, so take it off the client size then.
    QTimer::singleShot(0, this, [this] {
        const QSize whole = InitialSize(screen() ? screen()->size() : size());
        const QSize decoration = frameGeometry().size() - geometry().size();
        if (!decoration.isEmpty())
            resize(whole - decoration);
    });
}

void CMainFrame::SetStatusText(const QString& text) {
    if (!messagePane_)
        return;
    messagePane_->setText(text);
    messagePane_->repaint();
}

QString CMainFrame::StatusText() const {
    return messagePane_ ? messagePane_->text() : QString();
}

void CMainFrame::HideScaleButtons(bool hide) {
    for (int id : {ID_LOG10, ID_COND_RES}) {
        if (QAction* action = toolbarActions_.value(id))
            action->setVisible(!hide);
    }
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetStatusText(tip.isEmpty() ? IdleText : tip == QStringLiteral(" ") ? QString() : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::RefreshCommandStates() {
    for (const CommandInfo& info : CommandTable()) {
        const bool enabled = router_.IsEnabled(info.id);
        const bool checked = router_.IsChecked(info.id);
        for (QAction* action : {menuActions_.value(info.id), toolbarActions_.value(info.id)}) {
            if (!action)
                continue;
            action->setEnabled(enabled);
            if (action->isCheckable())
                action->setChecked(checked);
        }
    }
}

bool CMainFrame::Dispatch(int id) {
    const bool ran = router_.Run(id);
    RefreshCommandStates();
    return ran;
}

bool CMainFrame::HandlesCommand(int id) const {
    return id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR;
}

void CMainFrame::RunCommand(int id) {
    if (id == ID_VIEW_TOOLBAR)
        toolBar_->setVisible(!toolBar_->isVisible());
    else if (id == ID_VIEW_STATUS_BAR)
        statusBar()->setVisible(!statusBar()->isVisible());
}

std::optional<bool> CMainFrame::CommandChecked(int id) const {
    // isHidden, not isVisible: the bars count as shown before the window first appears.
    if (id == ID_VIEW_TOOLBAR)
        return !toolBar_->isHidden();
    if (id == ID_VIEW_STATUS_BAR)
        return !statusBar()->isHidden();
    return std::nullopt;
}
