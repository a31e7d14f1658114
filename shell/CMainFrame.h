#pragma once

#include "shell/CommandTable.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <optional>

class CTest1Doc;
class QLabel;
class QProgressBar;
class QToolBar;
class QAction;
class QActionGroup;

// The main window: one action per command of the command table, serving its menu item,
// toolbar button and keys; the one-pane status bar; the title after the model file.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTest1Doc& document, QWidget* parent = nullptr);

    // Builds the menus, toolbar and status bar; false when a toolbar tile is missing.
    bool Create();
    void SetView(QWidget* view);
    // What the command handlers act on; every command stays disabled until it is given.
    void SetCommandContext(const CommandContext& context);

    // "<document title> - KORVEX Model Viewer", "Untitled" while no model is loaded.
    static QString WindowTitleFor(const CTest1Doc& document);
    void UpdateTitle();
    // The whole window (frame included) 770 by 550, or 0.8 of the screen if smaller.
    static QSize InitialSize(const QSize& screen);
    void ApplyInitialSize();

    // The message pane: its text is replaced and shown at once.
    void SetStatusText(const QString& text);
    QString StatusText() const;
    static const QString IdleText;
    // What the pane shows when nothing else stands there (IdleText unless a followed
    // file says how it stands); shown at once if the pane shows the idle text now.
    void SetIdleText(const QString& text);
    const QString& idleText() const { return idleText_; }
    // A bar at the status bar's right end for a long load, filled in parts per thousand;
    // hidden again when the load ends.
    void ShowLoadProgress(int permille);
    void HideLoadProgress();
    QProgressBar* loadProgressBar() const { return loadProgress_; }
    // Hides or shows the toolbar buttons of Log10 and Conductivity / Resistivity.
    void HideScaleButtons(bool hide);

    // The command's enabled and checked rules against the current state.
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Sets every action's enabled and checked state from the rules.
    void RefreshCommandStates();
    // Runs a command if it is enabled, then refreshes the states; false when it did not
    // run.
    bool Dispatch(int id);
    // The command's one action: its menu item, toolbar button and keys.
    QAction* action(int id) const { return actions_.value(id); }
    QToolBar* toolBar() const { return toolBar_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createMenus();
    bool createToolBar();
    QAction* makeAction(const Command& command);

    CTest1Doc& document_;
    std::optional<CommandContext> context_;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QString idleText_ = IdleText;
    QProgressBar* loadProgress_ = nullptr;
    QHash<int, QAction*> actions_;
    QHash<QString, QActionGroup*> radioGroups_;
    // The toolbar's buttons and gaps in their places, hidden ones included.
    QList<QAction*> toolbarItems_;
    bool sizeFitted_ = false;
};
