#pragma once

#include <QObject>
#include <QString>
#include <memory>

struct DocumentContent;
class KazProgram;
class KazView;

// "Try": the real test window (KazProgram, KazView, Kaz, as the runner makes them) on the
// content a learner's program would hold if the test were saved and packed now, pictures
// from the bytes the editor holds. The window is a snapshot: the editor stays usable beside
// it, and trying again replaces it with the content as it is then. Its "Exit" and close
// button close only the test window.
class EditorTryOut : public QObject
{
    Q_OBJECT

public:
    explicit EditorTryOut(QObject *parent = nullptr);
    ~EditorTryOut() override;

    struct Started
    {
        bool shown = false;
        // For the status bar: why nothing was shown, or, when the test has problems, that the
        // window shows it as far as it can be read. Empty when all is well.
        QString message;
    };
    // Shows the test window on `content`, closing one that is open.
    Started start(const DocumentContent &content);
    // Closes the test window, if one is open.
    void close();

    // The running try-out, or null.
    KazProgram *program() const { return m_program.get(); }
    KazView *window() const;

Q_SIGNALS:
    // The test window was closed by the learner's "Exit" or its close button.
    void closed();

private:
    void finish();

    std::unique_ptr<KazProgram> m_program;
};
