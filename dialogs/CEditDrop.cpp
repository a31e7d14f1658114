#include "dialogs/CEditDrop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

CEditDrop::CEditDrop(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(true);
}

QString CEditDrop::DroppedPath(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    // Only the first item counts, as when several files are dropped at once.
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return {};
    QString path = urls.front().toLocalFile();
    // A folder may come with a closing "/"; without it the folder's own name is
    // selected, as a file's would be.
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

void CEditDrop::TakeDroppedPath(const QString& path) {
    // The whole path is kept: a shortened one could name a different, existing file.
    setText(path);
    setFocus(Qt::OtherFocusReason);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const int start = slash < 0 ? 0 : int(slash) + 1;
    // The caret ends at the end of the selection, which scrolls it into view.
    setSelection(start, int(path.size()) - start);
}

void CEditDrop::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedPath(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CEditDrop::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedPath(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CEditDrop::dropEvent(QDropEvent* event) {
    const QString path = DroppedPath(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    TakeDroppedPath(path);
}
