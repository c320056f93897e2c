#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class ContentStore;

// A SCORM 1.2 package of a test, what a learning platform such as Moodle plays as an activity
// and keeps each learner's score of: a zip file (ZipArchive) holding the test page (WebPage)
// and imsmanifest.xml, which names the page and nothing more is in it. The page knows it is in
// a package by one element before its test, which holds the package's settings as JSON:
//     <script id="kaz-scorm" type="application/json">{"passMark":50,"learnerName":false}</script>
// Its script then reports to the platform (quizweb/page/scorm.js); without the element the page
// is the plain page. The same page and settings give the same bytes.
namespace ScormPackage {

struct Settings
{
    // The percent a learner needs to pass, 0 to 100; none: the attempt is only "completed".
    std::optional<int> passMark = 50;
    // Whether the learner's name from the platform stands in the caption's place.
    bool learnerName = false;
};

inline constexpr char ManifestName[] = "imsmanifest.xml";

// The package's title, as the platform lists the activity: the test's caption without its
// address, else `folderName`.
QString title(const ContentStore &store, const QString &folderName);

// "kaz-FOLDER-scorm.zip", the package of the test folder named `folderName` (Packing::folderName).
QString fileName(const QString &folderName);

// The settings element of a package's page.
QByteArray settingsElement(const Settings &settings);

// `page` with settingsElement() before its test (replacing one it held); empty when the page has
// no test element.
QByteArray withSettings(QByteArrayView page, const Settings &settings);

// The settings the page holds, none when it holds no settings element.
std::optional<Settings> settingsOf(QByteArrayView page);

// The manifest of a package whose one page is `pageName`, titled `title`; `identity` (the
// page's bytes) makes its identifiers, so that another test is another activity.
QByteArray manifest(const QString &title, const QString &pageName, const Settings &settings, QByteArrayView identity);

// The package of the test page `page` (a page kazpack --web makes), named `pageName` inside it;
// empty when the page has no test element.
QByteArray make(QByteArrayView page, const QString &pageName, const QString &title, const Settings &settings);

struct Page
{
    QString name;
    QByteArray bytes;
    QString problem; // why there is no page: the zip refused, or no page in it
    bool refused = false; // the zip itself was refused (ZipArchive::read)
    bool ok() const { return problem.isEmpty(); }
};

// The test page in the package `zip`: its one .html file beside imsmanifest.xml.
Page page(QByteArrayView zip);

} // namespace ScormPackage
