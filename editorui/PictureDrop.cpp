#include "PictureDrop.h"

#include "EditorDialogs.h"
#include "RowTableModel.h"
#include "QuizDocument.h"

#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

PictureDrop::PictureDrop(QTableView *view, QuizDocument *doc)
    : QObject(view)
    , m_view(view)
    , m_doc(doc)
{
}

void PictureDrop::acceptOn(QTableView *view, QuizDocument *doc)
{
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(new PictureDrop(view, doc));
}

QString PictureDrop::droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return {};
    return url.toLocalFile();
}

QString PictureDrop::takePicture(QuizDocument &doc, int row, const QString &path)
{
    if (row < 0 || row >= doc.rowCount())
        return QCoreApplication::translate("EditorTable", "Choose a row of the table first, then its picture.");
    const QString why = doc.setPictureFromFile(row, path);
    if (why.isEmpty())
        return {};
    return QCoreApplication::translate("EditorTable", "This picture cannot be used: %1.").arg(why);
}

bool PictureDrop::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (rowAt(drag) >= 0)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const int row = rowAt(drop);
        if (row < 0)
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        m_view->setCurrentIndex(m_view->model()->index(row, RowTableModel::PictureColumn));
        if (const QString why = takePicture(*m_doc, row, droppedFile(drop->mimeData())); !why.isEmpty())
            EditorDialogs::tell(m_view, QMessageBox::Warning, QCoreApplication::translate("EditorTable", "Picture"), why);
        return true;
    }
    default:
        return false;
    }
}

int PictureDrop::rowAt(const QDropEvent *event) const
{
    const QModelIndex index = m_view->indexAt(event->position().toPoint());
    if (!index.isValid() || index.column() != RowTableModel::PictureColumn || droppedFile(event->mimeData()).isEmpty())
        return -1;
    return index.row();
}
