#pragma once

#include "shell/CommandRouter.h"
#include "shell/CommandTarget.h"

#include <QHash>
#include <QMainWindow>

class CTest1Doc;
class QLabel;
class QToolBar;
class QAction;

// The main window: menus, toolbar and keys built from the command table, the one-pane
// status bar, and the title after the document's model file.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CTest1Doc& document, QWidget* parent = nullptr);

    // Builds the menus, toolbar and status bar; false when a toolbar tile is missing.
    bool Create();
    void SetView(QWidget* view);
    CommandRouter& router() { return router_; }

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
    // Hides or shows the toolbar buttons of Log10 and Conductivity / Resistivity.
    void HideScaleButtons(bool hide);

    // Recomputes every action's enabled and checked state from the routing.
    void RefreshCommandStates();
    // Runs a command through the route, then refreshes the states; false when the
    // command is disabled or nobody handles it.
    bool Dispatch(int id);
    QAction* menuAction(int id) const { return menuActions_.value(id); }
    QAction* toolbarAction(int id) const { return toolbarActions_.value(id); }
    QToolBar* toolBar() const { return toolBar_; }

    // The frame's own commands: the toolbar and status bar toggles.
    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;
    std::optional<bool> CommandChecked(int id) const override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createMenus();
    bool createToolBar();
    QAction* makeAction(int id, bool forToolbar);

    CTest1Doc& document_;
    CommandRouter router_;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QHash<int, QAction*> menuActions_;
    QHash<int, QAction*> toolbarActions_;
    bool sizeFitted_ = false;
};
