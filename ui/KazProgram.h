#pragma once

#include <QObject>
#include <QString>
#include <memory>

class ContentStore;
class Kaz;
class KazView;

// One run of the quiz: the test window's model over the content built into the program,
// its window, and the end of the program at "Exit".
class KazProgram : public QObject
{
    Q_OBJECT

public:
    // `contentPath` is the test's content text; its pictures lie beside it.
    explicit KazProgram(const QString &contentPath, QObject *parent = nullptr);
    ~KazProgram() override;

    Kaz *model() const { return m_model; }
    KazView *view() const { return m_view.get(); }

    // Reads the test at `contentPath`; problems (none in a checked build) go to stderr.
    static std::shared_ptr<const ContentStore> load(const QString &contentPath);

private:
    Kaz *m_model;
    std::unique_ptr<KazView> m_view;
};
