// "1-Download" against the local catalogue service on 127.0.0.1: the request,
// the saved answer, every way a download can fail (each keeping the previous
// catalogue), the address given for one run, the refusal of a catalogue of
// another centre, and the answer cache.

#include "app/flow/reduction_controller.h"
#include "catalogue/catalogue_reader.h"
#include "catalogue/flow/catalogue_options.h"
#include "catalogue/flow/download_command.h"
#include "tests/flow/flow_support.h"

#include <QTcpServer>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace ce::testing {
namespace {

// Stars around 1h34m50s +22°11'01" (23.708333°, +22.183611°): three within
// 20' and no fainter than 13, one too faint, one 30' away.
const std::vector<TestStar> kStars = {{23.70833, 22.18361, 11.0, 12.0}, {23.75000, 22.20000, 12.5, 13.5},
                                      {23.66000, 22.10000, 12.9, 14.0}, {23.71000, 22.19000, 14.5, 15.0},
                                      {23.70833, 22.68361, 10.0, 11.0}};

struct DownloadRig : FlowRig {
    DownloadRig()
    {
        folders.writeProgramFile(QStringLiteral("extract.txt"), extractText(kStars));
        view.setTexts(QStringLiteral("txt_ra_"), {"1", "34", "50"});
        view.setTexts(QStringLiteral("txt_dec_"), {"22", "11", "1"});
        folders.writeCatalogue("an answer for another field");
    }
    QString extractPath() const { return folders.program.path() + QStringLiteral("/extract.txt"); }
};

TEST(Download, SavesTheAnswerOfOneRequestBetweenMessages8And9)
{
    DownloadRig r;
    CatalogueService service(r.extractPath());
    ASSERT_NE(service.port(), 0);
    r.folders.writeServer(service.baseAddress() + u'/');  // a trailing "/" is tolerated

    r.controller.DownloadData();

    EXPECT_EQ(lines(r.view.status), lines({message(9), message(8)}));
    EXPECT_TRUE(r.view.messages.empty());
    // The published example's query (default radius and magnitude), one GET to the configured host.
    EXPECT_EQ(r.view.monitor.addresses,
              QStringList{service.baseAddress() + QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0"
                                                                 "&chart=0&ra=1+34+50&dec=22+11+1&object=&radmax=20"
                                                                 "&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000")});
    EXPECT_EQ(r.view.monitor.finished, 1);

    // The saved page reads as the extract's three stars within 20' and no fainter than 13, brightest first.
    const QByteArray saved = r.folders.catalogueBytes();
    // The service's answer travels gzip-compressed and is saved decoded.
    EXPECT_GT(r.view.monitor.lastBytes, 0);
    EXPECT_LT(r.view.monitor.lastBytes, saved.size());
    ReductionState state;
    ASSERT_EQ(readCatalogueAnswer(saved, 1.0, 1.0, state).starTotal, 3);
    for (std::size_t i = 1; i <= 3; ++i) EXPECT_EQ(state.starId[i], QString::fromLatin1(starIdentifier(int(i))));
}

TEST(Download, EachFailureIsReportedAndKeepsThePreviousCatalogue)
{
    struct Row {
        QStringList serviceOptions;  // "closed": nothing listens on the port
        QByteArray serverFile;       // serveur.cfg; "@": the address, "-": no file
        bool badMinutes, tiny, cancel;
        QString reasonPart;
        bool requested;
        bool fullDisk = false;  // files may not grow past 100 bytes, as on a full disk
    };
    const Row rows[] = {
        // The reason, then where the address came from.
        {{"closed"}, "@", false, false, false, "net.refused 127.0.0.1:", true},
        {{"closed"}, "@", false, false, false, "(catalogue.origin.file " , true},
        {{"--status", "404"}, "@", false, false, false, "net.download.httpphrase 404 Not Found", true},
        {{"--hang"}, "@", false, false, false, "net.download.silent 1", true},
        {{"--no-marker"}, "@", false, false, false, "catalogue.read.nostars ", true},
        {{}, "@", false, true, false, "net.download.toolarge", true},  // 200 bytes at most
        {{"--delay-ms", "5000"}, "@", false, false, true, "net.download.cancelled", true},
        {{}, "@", false, false, false, "data.txt reason.efbig", true, true},
        // Refused before any request.
        {{"closed"}, "@", true, false, false, "field.ra_minutes", false},
        {{"closed"}, "-", false, false, false, "serveur.cfg", false},
        {{"closed"}, "", false, false, false, "serveur.cfg", false},
        {{"closed"}, "ftp://127.0.0.1/", false, false, false, "serveur.cfg", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reasonPart.toStdString());
        DownloadRig r;
        if (row.badMinutes) r.view.setText(QStringLiteral("txt_ra_1"), QStringLiteral("3x"));
        std::unique_ptr<CatalogueService> service;
        QString base;
        if (row.serviceOptions == QStringList{"closed"}) {
            QTcpServer probe;  // its port is free again once it goes: nothing answers there
            ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
            base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        } else {
            service = std::make_unique<CatalogueService>(r.extractPath(), row.serviceOptions);
            ASSERT_NE(service->port(), 0);
            base = service->baseAddress();
        }
        if (row.serverFile != "-")
            r.folders.writeProgramFile(QStringLiteral("serveur.cfg"), row.serverFile == "@" ? base.toUtf8() : row.serverFile);
        r.view.monitor.cancel = row.cancel;
        DownloadLimits limits;
        limits.inactivityTimeoutMs = 1000;
        if (row.tiny) limits.maxBytes = 200;
        r.controller.setDownloadLimits(limits);

        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        if (row.fullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = unlimited;
            small.rlim_cur = 100;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        r.controller.DownloadData();
        setrlimit(RLIMIT_FSIZE, &unlimited);

        // One status line above message 8 (alone when no request was made), one
        // message box with the same text, no message 9, and the older answer
        // still in data.txt.
        ASSERT_EQ(r.view.messages.size(), 1u) << lines(r.view.status);
        const QString text = r.view.messages[0].text;
        EXPECT_TRUE(text.contains(row.reasonPart, Qt::CaseInsensitive)) << text.toStdString();
        // (On a full disk the answer's copy in the cache could not be kept
        // either, which is said on a line of its own.)
        QStringList status = r.view.status;
        if (row.fullDisk) status.removeIf([](const QString& s) { return s.contains(QStringLiteral("/cache/")); });
        EXPECT_EQ(lines(status), lines(row.requested ? QStringList{text, message(8)} : QStringList{text}));
        EXPECT_EQ(r.folders.catalogueBytes(), QByteArray("an answer for another field"));
        EXPECT_EQ(r.view.monitor.addresses.size(), row.requested ? 1 : 0);
        EXPECT_EQ(r.view.monitor.finished, row.requested ? 1 : 0);
    }
}

TEST(Download, TheAddressGivenForOneRunOverridesServeurCfg)
{
    DownloadRig r;
    CatalogueService service(r.extractPath());
    ASSERT_NE(service.port(), 0);
    r.folders.writeServer(QStringLiteral("http://127.0.0.1:1"));  // left behind by an earlier run
    // A rig whose paths carry the option's address.
    ProgramPaths paths = r.folders.paths();
    paths.serviceAddress = service.baseAddress() + u'/';
    paths.serviceOrigin = ProgramPaths::ServiceOrigin::Option;
    FakeView view;
    view.setTexts(QStringLiteral("txt_ra_"), {"1", "34", "50"});
    view.setTexts(QStringLiteral("txt_dec_"), {"22", "11", "1"});
    ReductionController controller(view, r.lang, paths);

    controller.DownloadData();
    EXPECT_EQ(lines(view.status), lines({message(9), message(8)}));
    ASSERT_EQ(view.monitor.addresses.size(), 1);
    EXPECT_TRUE(view.monitor.addresses[0].startsWith(service.baseAddress() + QStringLiteral("/skycat/")));

    // An unusable address names the option, before any request.
    paths.serviceAddress = QStringLiteral("127.0.0.1:8080");
    paths.serviceOrigin = ProgramPaths::ServiceOrigin::Environment;
    FakeView view2;
    view2.setTexts(QStringLiteral("txt_ra_"), {"1", "34", "50"});
    view2.setTexts(QStringLiteral("txt_dec_"), {"22", "11", "1"});
    ReductionController controller2(view2, r.lang, paths);
    controller2.DownloadData();
    ASSERT_EQ(view2.messages.size(), 1u);
    EXPECT_TRUE(view2.messages[0].text.contains(
        QStringLiteral("catalogue.address.bad 127.0.0.1:8080 catalogue.origin.environment")))
        << view2.messages[0].text.toStdString();
    EXPECT_TRUE(view2.monitor.addresses.isEmpty());
}

TEST(Download, AnUnusableServeurCfgIsNamedInTheLanguageOfTheUser)
{
    FlowRig r;
    const QString serverFile = r.folders.program.path() + QStringLiteral("/serveur.cfg");
    // Absent: the reading failure is carried inside the message.
    const Result<QString> absent = readServiceAddress(r.folders.program.path(), r.lang);
    ASSERT_FALSE(absent);
    EXPECT_TRUE(absent.error().startsWith(QStringLiteral("catalogue.address.unknown "))) << absent.error().toStdString();
    EXPECT_TRUE(absent.error().contains(serverFile)) << absent.error().toStdString();

    // Present but holding no http address, or nothing at all: the file is named.
    for (const char* content : {"ftp://127.0.0.1:21", "", "127.0.0.1:8080"}) {
        r.folders.writeServer(QString::fromLatin1(content));
        const Result<QString> unusable = readServiceAddress(r.folders.program.path(), r.lang);
        ASSERT_FALSE(unusable) << content;
        EXPECT_EQ(unusable.error(), QStringLiteral("catalogue.address.nofile ") + serverFile) << content;
    }
    r.folders.writeServer(QStringLiteral("http://127.0.0.1:8080/"));
    const Result<QString> usable = readServiceAddress(r.folders.program.path(), r.lang);
    ASSERT_TRUE(usable) << usable.error().toStdString();
    EXPECT_EQ(*usable, QStringLiteral("http://127.0.0.1:8080"));
}

TEST(Download, ACatalogueOfAnotherCentreIsRefusedAtReading)
{
    DownloadRig r;
    CatalogueService service(r.extractPath());
    ASSERT_NE(service.port(), 0);
    r.folders.writeServer(service.baseAddress());
    r.controller.DownloadData();
    ASSERT_TRUE(r.view.messages.empty());

    r.st.corrAsd = r.st.corrDec = 1000;
    r.controller.READFILE();
    EXPECT_EQ(r.st.starTotal, 3);
    EXPECT_TRUE(r.view.messages.empty());

    // Another field typed, its download failing: the old catalogue is kept
    // on disk but never read for the new centre.
    r.view.setText(QStringLiteral("txt_dec_1"), QStringLiteral("41"));
    {
        QTcpServer probe;  // its port is free again once it goes: nothing answers there
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        r.folders.writeServer(QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()));
    }
    r.controller.DownloadData();
    ASSERT_EQ(r.view.messages.size(), 1u);
    EXPECT_TRUE(r.view.messages[0].text.contains(QStringLiteral("net.refused")));
    const QByteArray kept = r.folders.catalogueBytes();
    EXPECT_TRUE(kept.contains(kCatalogueDataMarker));
    r.controller.READFILE();
    ASSERT_EQ(r.view.messages.size(), 2u);
    EXPECT_TRUE(r.view.messages[1].text.contains(QStringLiteral("catalogue.othercentre RA 23.7083° DEC 22.1836°")))
        << r.view.messages[1].text.toStdString();
    EXPECT_EQ(r.st.starTotal, 0);
    EXPECT_EQ(r.folders.catalogueBytes(), kept);

    // Back on the first centre (within an arcsecond), it reads again.
    r.view.setText(QStringLiteral("txt_dec_1"), QStringLiteral("11"));
    r.view.setText(QStringLiteral("txt_dec_2"), QStringLiteral("1.4"));
    r.controller.READFILE();
    EXPECT_EQ(r.st.starTotal, 3);
    EXPECT_EQ(r.view.messages.size(), 2u);
}

TEST(Download, TheCacheServesARepeatedDownloadWithTheServiceStopped)
{
    for (const auto kind : {CatalogueSourceKind::Service, CatalogueSourceKind::VizierUsnoA2}) {
        SCOPED_TRACE(int(kind));
        DownloadRig r;
        auto service = std::make_unique<CatalogueService>(r.extractPath());
        ASSERT_NE(service->port(), 0);
        r.folders.writeServer(service->baseAddress());
        CatalogueOptions options;
        options.source = kind;
        options.vizierAddress = service->baseAddress();
        ASSERT_TRUE(saveCatalogueOptions(r.folders.data.path(), options, builtinLanguage()));

        r.controller.DownloadData();
        ASSERT_TRUE(r.view.messages.empty()) << r.view.messages[0].text.toStdString();
        const QByteArray first = r.folders.catalogueBytes();
        service.reset();
        r.folders.writeCatalogue("something else");

        r.controller.DownloadData();
        EXPECT_TRUE(r.view.messages.empty());
        EXPECT_EQ(r.view.monitor.addresses.size(), 1);  // no second request
        EXPECT_EQ(r.view.status.size(), 5);
        EXPECT_EQ(lines(r.view.status.mid(0, 3)),
                  lines({message(9), QStringLiteral("catalogue.fromcache ") + r.folders.data.path() + "/cache",
                         message(8)}));
        EXPECT_EQ(r.folders.catalogueBytes(), first);

        // Another magnitude is another question; an age of 0 never serves.
        r.view.setText(QStringLiteral("txt_mag"), QStringLiteral("12"));
        r.controller.DownloadData();
        EXPECT_EQ(r.view.messages.size(), 1u);
        r.view.setText(QStringLiteral("txt_mag"), QStringLiteral("13"));
        options.cacheMaxAgeDays = 0;
        ASSERT_TRUE(saveCatalogueOptions(r.folders.data.path(), options, builtinLanguage()));
        r.controller.DownloadData();
        EXPECT_EQ(r.view.messages.size(), 2u);
        EXPECT_EQ(r.folders.catalogueBytes(), first);
    }
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
