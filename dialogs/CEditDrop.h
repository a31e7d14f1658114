#pragma once

#include <QLineEdit>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;

// A file-name box that also takes a file dropped from the file manager: the first
// dropped file's whole path replaces the text, the box takes the focus and the file's
// own name is selected, so typing replaces just that. Typing works as in any box.
class CEditDrop : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditDrop(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The first dropped item's local path, or empty when the drop carries no local file
    // (plain text, remote URLs): such drops are refused rather than pasted as text.
    static QString DroppedPath(const QMimeData* data);
    void TakeDroppedPath(const QString& path);
};
