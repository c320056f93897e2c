#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ContentStore;
class Kaz;
class KazView;

// One run of the quiz: the test window's model over the test's content, its window, and
// what "Exit" does: the end of the program, or of this window alone.
class KazProgram : public QObject
{
    Q_OBJECT

public:
    // The test read and checked before: a packed program's own test.
    explicit KazProgram(std::shared_ptr<const ContentStore> content, QObject *parent = nullptr);
    // `contentPath` is the test.kaz of a test folder; its pictures lie beside it.
    explicit KazProgram(const QString &contentPath, QObject *parent = nullptr);
    ~KazProgram() override;

    Kaz *model() const { return m_model; }
    KazView *view() const { return m_view.get(); }

    // What "Exit" and the window's close button do. The runner ends the program; a test window
    // opened inside another program (the editor's try-out) closes alone, hides its picture
    // and appearance windows, and emits closed(), leaving the rest of that program running.
    enum class ExitAction { EndProgram, CloseWindow };
    void setExitAction(ExitAction action);
    ExitAction exitAction() const { return m_exitAction; }

    // Shows `icon` (a test's checked icon.png) as the window's icon; with none, or one that
    // cannot be read, the window keeps KAZ's own icon.
    void setIcon(const QByteArray &icon);

    // Reads the test folder of `contentPath` (its test.kaz) with the pictures it names, as
    // kazpack does; problems go to stderr.
    static std::shared_ptr<const ContentStore> load(const QString &contentPath);

Q_SIGNALS:
    // The test window was closed by "Exit" or its close button (ExitAction::CloseWindow).
    void closed();

private:
    KazProgram(std::function<std::shared_ptr<const ContentStore>()> loader, QObject *parent);

    void exit();

    Kaz *m_model;
    std::unique_ptr<KazView> m_view;
    ExitAction m_exitAction = ExitAction::EndProgram;
};
