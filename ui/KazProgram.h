#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ContentStore;
class Kaz;
class KazView;

// One run of the quiz: the test window's model over the test's content, its window, and
// the end of the program at "Exit".
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

    // Shows `icon` (a test's checked icon.png) as the window's icon; with none, or one that
    // cannot be read, the window keeps KAZ's own icon.
    void setIcon(const QByteArray &icon);

    // Reads the test folder of `contentPath` (its test.kaz) with the pictures it names, as
    // kazpack does; problems go to stderr.
    static std::shared_ptr<const ContentStore> load(const QString &contentPath);

private:
    KazProgram(std::function<std::shared_ptr<const ContentStore>()> loader, QObject *parent);

    Kaz *m_model;
    std::unique_ptr<KazView> m_view;
};
