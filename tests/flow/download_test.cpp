// "1-Download" against the local catalogue service on 127.0.0.1: the request,
// the saved answer, and every way a download can fail.

#include "app/flow/reduction_controller.h"
#include "catalogue/catalogue_reader.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <QTcpServer>

#include <gtest/gtest.h>

namespace ce::testing {
namespace {

// Stars around 1h34m50s +22°11'01" (23.708333°, +22.183611°): three within
// 20' and no fainter than 13, one too faint, one 30' away.
std::vector<TestStar> fieldStars()
{
    return {{23.70833, 22.18361, 11.0, 12.0},
            {23.75000, 22.20000, 12.5, 13.5},
            {23.66000, 22.10000, 12.9, 14.0},
            {23.71000, 22.19000, 14.5, 15.0},
            {23.70833, 22.68361, 10.0, 11.0}};
}

class DownloadTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        folders.writeProgramFile(QStringLiteral("extract.txt"), extractText(fieldStars()));
        extractPath = folders.program.path() + QStringLiteral("/extract.txt");
        setCentre(view);
    }

    static void setCentre(FakeView& v)
    {
        v.setTexts(QStringLiteral("txt_ra_"), {"1", "34", "50"});
        v.setTexts(QStringLiteral("txt_dec_"), {"22", "11", "1"});
    }

    QString extractPath;
};

TEST_F(DownloadTest, SavesTheAnswerOfOneRequestBetweenMessages8And9)
{
    CatalogueService service(extractPath);
    ASSERT_NE(service.port(), 0);
    folders.writeServer(service.baseAddress() + u'/');  // a trailing "/" is tolerated
    folders.writeCatalogue("an answer for another field");

    controller.DownloadData();

    EXPECT_EQ(lines(view.status), lines({message(9), message(8)}));
    EXPECT_TRUE(view.messages.empty());
    // The query of the published example (1h34m50s +22°11'01", epoch 2000.0,
    // default radius and magnitude), sent as one GET to the configured host.
    ASSERT_EQ(view.monitor.addresses.size(), 1);
    EXPECT_EQ(view.monitor.addresses[0],
              service.baseAddress()
                  + QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0"
                                   "&ra=1+34+50&dec=22+11+1&object=&radmax=20&magbright=0"
                                   "&magfaint=13.&format=2&sort=mr&nout=5000"));
    EXPECT_EQ(view.monitor.finished, 1);
    EXPECT_GT(view.monitor.lastBytes, 0);

    // The saved answer is the service's page: it reads as the three stars of
    // the extract that lie within 20' and no fainter than 13, brightest first.
    const QByteArray saved = folders.catalogueBytes();
    EXPECT_EQ(view.monitor.lastBytes, saved.size());
    ReductionState state;
    const CatalogueCounts counts = readCatalogueAnswer(saved, 1.0, 1.0, state);
    ASSERT_EQ(counts.starTotal, 3);
    EXPECT_EQ(state.starId[1], QString::fromLatin1(starIdentifier(1)));
    EXPECT_EQ(state.starId[2], QString::fromLatin1(starIdentifier(2)));
    EXPECT_EQ(state.starId[3], QString::fromLatin1(starIdentifier(3)));
}

TEST_F(DownloadTest, EachFailureIsReportedAndLeavesAnEmptyCatalogue)
{
    struct Row {
        const char* name;
        QStringList serviceOptions;  // "closed": nothing listens on the port
        QByteArray serverFile;       // serveur.cfg; "@": the address, "-": no file
        QString control;             // field changed before the download, or empty
        QString value;
        bool tiny;                   // 200 bytes at most
        bool cancel;
        QString reasonPart;
        bool requested;
    };
    const std::vector<Row> rows = {
        // A refused connection is told in French, naming the service.
        {"refused connection", {"closed"}, "@", {}, {}, false, false, "connexion refusée par 127.0.0.1:", true},
        {"not found", {"--status", "404"}, "@", {}, {}, false, false, "HTTP 404", true},
        {"server error", {"--status", "500"}, "@", {}, {}, false, false, "HTTP 500", true},
        {"no answer", {"--hang"}, "@", {}, {}, false, false, "aucune réponse du service depuis 1 s", true},
        {"no data marker", {"--no-marker"}, "@", {}, {}, false, false, "aucune liste d'étoiles", true},
        {"too large", {}, "@", {}, {}, true, false, "trop volumineuse", true},
        {"cancelled", {"--delay-ms", "5000"}, "@", {}, {}, false, true, "annulé", true},
        // Refused before any request.
        {"minutes not a number", {"closed"}, "@", "txt_ra_1", "3x", false, false, "RA (minutes)", false},
        {"no serveur.cfg", {"closed"}, "-", {}, {}, false, false, "serveur.cfg", false},
        {"empty serveur.cfg", {"closed"}, "", {}, {}, false, false, "serveur.cfg", false},
        {"not an http address", {"closed"}, "ftp://127.0.0.1/", {}, {}, false, false, "serveur.cfg", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FlowRig r;
        setCentre(r.view);
        if (!row.control.isEmpty()) r.view.setText(row.control, row.value);
        std::unique_ptr<CatalogueService> service;
        QString base;
        if (row.serviceOptions == QStringList{"closed"}) {
            QTcpServer probe;  // its port is free again once it goes: nothing answers there
            ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
            base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        } else {
            service = std::make_unique<CatalogueService>(extractPath, row.serviceOptions);
            ASSERT_NE(service->port(), 0);
            base = service->baseAddress();
        }
        if (row.serverFile != "-")
            r.folders.writeProgramFile(QStringLiteral("serveur.cfg"),
                                       row.serverFile == "@" ? base.toUtf8() : row.serverFile);
        r.folders.writeCatalogue("an answer for another field");
        r.view.monitor.cancel = row.cancel;
        DownloadLimits limits;
        limits.inactivityTimeoutMs = 1000;
        if (row.tiny) limits.maxBytes = 200;
        r.controller.setDownloadLimits(limits);

        r.controller.DownloadData();

        // One status line above message 8 (alone when no request was made),
        // one message box with the same text, no message 9, and an empty
        // data.txt where an older answer was.
        ASSERT_EQ(r.view.messages.size(), 1u) << lines(r.view.status);
        const QString text = r.view.messages[0].text;
        EXPECT_TRUE(text.contains(row.reasonPart, Qt::CaseInsensitive)) << text.toStdString();
        EXPECT_EQ(lines(r.view.status), lines(row.requested ? QStringList{text, message(8)} : QStringList{text}));
        EXPECT_TRUE(QFile::exists(r.folders.catalogueFile()));
        EXPECT_EQ(r.folders.catalogueBytes(), QByteArray());
        EXPECT_EQ(r.view.monitor.addresses.size(), row.requested ? 1 : 0);
        EXPECT_EQ(r.view.monitor.finished, row.requested ? 1 : 0);
    }
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
