#include "shell/CMainFrame.h"

#include "document/CTest1Doc.h"
#include "shell/CommandIds.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <vector>

const QString CMainFrame::IdleText = QStringLiteral(" Norhaven");

namespace {
// Qt shows a status tip of "" as "go back to idle"; a prompt that is meant to blank
// the pane is sent as a single blank instead.
QString statusTipFor(const Command& command) {
    const QString prompt = QString::fromUtf8(command.prompt);
    return prompt.isEmpty() ? QStringLiteral(" ") : prompt;
}

// False for a row that the row of an earlier owner on the route shadows.
bool carriesOut(const Command& command) {
    return FindCommand(command.id) == &command;
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
    messagePane_ = new QLabel(idleText_, this);
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

void CMainFrame::SetCommandContext(const CommandContext& context) {
    context_.emplace(context);
    RefreshCommandStates();
}

QAction* CMainFrame::makeAction(const Command& command) {
    QString text = QString::fromUtf8(command.label);
    // With a tab in the text the menu shows what follows it (our shortcut text, or
    // nothing) instead of Qt's name of the keys.
    if (command.shortcutText || command.keys)
        text +=
            QLatin1Char('\t') + QString::fromUtf8(command.shortcutText ? command.shortcutText : "");
    auto* action = new QAction(text, this);
    action->setStatusTip(statusTipFor(command));
    action->setCheckable(command.isCheckable());
    if (command.radioGroup) {
        // A group shows its items as radio items; clicking the checked one keeps it.
        QActionGroup*& group = radioGroups_[QString::fromUtf8(command.radioGroup)];
        if (!group)
            group = new QActionGroup(this);
        group->addAction(action);
    }
    if (command.tooltip)
        action->setToolTip(QString::fromUtf8(command.tooltip));
    if (command.tile) {
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromUtf8(command.tile)));
        action->setIconVisibleInMenu(false);
    }
    if (command.keys) {
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(command.keys)));
        // On the window too, so the keys work wherever the focus is in it.
        addAction(action);
    }
    // A checkable action flips itself on click; the refresh after the command puts
    // back the state its rule gives.
    connect(action, &QAction::triggered, this, [this, id = command.id] { Dispatch(id); });
    actions_.insert(command.id, action);
    return action;
}

void CMainFrame::createMenus() {
    QHash<QString, QMenu*> menus;
    for (const Command& command : CommandTable()) {
        if (!carriesOut(command))
            continue;
        const QString name = QString::fromUtf8(command.menu);
        QMenu*& menu = menus[name];
        if (!menu) {
            menu = menuBar()->addMenu(name);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommandStates);
        }
        QMenu* target = menu;
        if (command.submenu) {
            const QString title = QString::fromUtf8(command.submenu);
            QMenu*& submenu = menus[name + QLatin1Char('/') + title];
            if (!submenu)
                submenu = menu->addMenu(title);
            target = submenu;
        }
        target->addAction(makeAction(command));
        if (command.separatorAfter)
            target->addSeparator();
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

    std::vector<const Command*> tiles;
    for (const Command& command : CommandTable()) {
        if (command.place > 0 && carriesOut(command))
            tiles.push_back(&command);
    }
    std::ranges::sort(tiles, {}, &Command::place);
    for (const Command* command : tiles) {
        QAction* button = action(command->id);
        if (button->icon().pixmap(QSize(16, 15)).isNull())
            return false;
        toolBar_->addAction(button);
        toolbarItems_ << button;
        if (command->toolbarGapAfter)
            toolbarItems_ << toolBar_->addSeparator();
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

void CMainFrame::SetIdleText(const QString& text) {
    const bool showing = messagePane_ && messagePane_->text() == idleText_;
    idleText_ = text;
    if (showing)
        SetStatusText(text);
}

QString CMainFrame::StatusText() const {
    return messagePane_ ? messagePane_->text() : QString();
}

void CMainFrame::ShowLoadProgress(int permille) {
    if (!loadProgress_) {
        loadProgress_ = new QProgressBar(this);
        loadProgress_->setRange(0, 1000);
        loadProgress_->setTextVisible(false);
        loadProgress_->setMaximumWidth(200);
        statusBar()->addPermanentWidget(loadProgress_);
    }
    loadProgress_->setValue(permille);
    loadProgress_->show();
}

void CMainFrame::HideLoadProgress() {
    if (loadProgress_)
        loadProgress_->hide();
}

void CMainFrame::HideScaleButtons(bool hide) {
    // Taken off the toolbar and put back in their places: hiding the actions would
    // hide their menu items and keys too.
    const QList<QAction*> scale = {action(ID_LOG10), action(ID_COND_RES)};
    QAction* next = nullptr; // the item after, already in its place
    for (auto item = toolbarItems_.crbegin(); item != toolbarItems_.crend(); ++item) {
        if (hide && scale.contains(*item)) {
            toolBar_->removeAction(*item);
            continue;
        }
        if (!toolBar_->actions().contains(*item))
            toolBar_->insertAction(next, *item);
        next = *item;
    }
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetStatusText(tip.isEmpty() ? idleText_ : tip == QStringLiteral(" ") ? QString() : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::IsEnabled(int id) const {
    const Command* command = FindCommand(id);
    return context_ && command && command->isEnabled(*context_);
}

bool CMainFrame::IsChecked(int id) const {
    const Command* command = FindCommand(id);
    return context_ && command && command->isChecked(*context_);
}

void CMainFrame::RefreshCommandStates() {
    for (auto [id, action] : actions_.asKeyValueRange()) {
        action->setEnabled(IsEnabled(id));
        if (action->isCheckable())
            action->setChecked(IsChecked(id));
    }
}

bool CMainFrame::Dispatch(int id) {
    const bool enabled = IsEnabled(id);
    if (enabled)
        FindCommand(id)->run(*context_);
    RefreshCommandStates();
    return enabled;
}
