#pragma once

#include <QObject>

class QDropEvent;
class QMimeData;
class QTableView;
class QuizDocument;

// A picture file dropped onto a picture cell of the rows table goes into that row (copied; the
// file stays where it is); why it cannot is shown in a message. Watches the view's viewport.
class PictureDrop : public QObject
{
public:
    // Lets the view take picture drops for the document's rows.
    static void acceptOn(QTableView *view, QuizDocument *doc);

    // The one local file a drag carries, empty for anything else (web addresses, folders,
    // several files): what a picture drop accepts, here and on the picture panel.
    static QString droppedFile(const QMimeData *data);
    // Takes the picture file at `path` into `row`; the message to show when it cannot, else empty.
    static QString takePicture(QuizDocument &doc, int row, const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PictureDrop(QTableView *view, QuizDocument *doc);
    // The row whose picture cell the event is over with a file it can take; -1 for none.
    int rowAt(const QDropEvent *event) const;

    QTableView *m_view;
    QuizDocument *m_doc;
};
