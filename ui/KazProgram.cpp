#include "KazProgram.h"

#include "ContentReader.h"
#include "DisplayFonts.h"
#include "Kaz.h"
#include "KazView.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

KazProgram::KazProgram(const QString &contentPath, QObject *parent)
    : QObject(parent)
    , m_model(new Kaz([contentPath] { return load(contentPath); }, this))
{
    // The window exists before its load handler runs, as the handler's reactions show in it.
    m_model->setScreenFonts(std::make_shared<DisplayFonts>());
    m_view = std::make_unique<KazView>(m_model);
    connect(m_model, &Kaz::exitRequested, this, [] { QCoreApplication::exit(0); });
    m_model->Form_Load();
}

KazProgram::~KazProgram() = default;

std::shared_ptr<const ContentStore> KazProgram::load(const QString &contentPath)
{
    QFile file(contentPath);
    auto store = std::make_shared<ContentStore>();
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << contentPath << ": error: the test content is missing from this program\n";
        return store;
    }
    ContentReader::Options options;
    options.fileName = contentPath;
    options.pictureBase = QFileInfo(contentPath).path() + u'/';
    ContentReader::Result result = ContentReader::read(QString::fromUtf8(file.readAll()), options);
    for (const ContentReader::Problem &p : result.problems)
        QTextStream(stderr) << p.toString() << '\n';
    *store = std::move(result.store);
    return store;
}
