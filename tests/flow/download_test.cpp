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

class DownloadTest : public ::testing::Test {
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

    // A failed download: one status line above message 8 (or alone when no
    // request was made), one message box with the same text, no message 9,
    // and an empty data.txt where an older answer was.
    void expectFailureReport(const QString& reasonPart, bool requested)
    {
        ASSERT_EQ(view.messages.size(), 1u) << view.status.join(u'|').toStdString();
        const QString text = view.messages[0].text;
        EXPECT_TRUE(text.contains(reasonPart, Qt::CaseInsensitive))
            << text.toStdString() << " lacks " << reasonPart.toStdString();
        const QStringList expectedStatus =
            requested ? QStringList{text, message(8)} : QStringList{text};
        EXPECT_EQ(lines(view.status), lines(expectedStatus));
        EXPECT_FALSE(view.status.contains(message(9)));
        EXPECT_TRUE(QFile::exists(folders.catalogueFile()));
        EXPECT_EQ(folders.catalogueBytes(), QByteArray());
        EXPECT_EQ(view.monitor.addresses.size(), requested ? 1 : 0);
        EXPECT_EQ(view.monitor.finished, requested ? 1 : 0);
    }

    Folders folders;
    QString extractPath;
    FakeView view;
    LanguageTable lang = numberedLanguage();
};

TEST_F(DownloadTest, SavesTheAnswerOfOneRequestBetweenMessages8And9)
{
    CatalogueService service(extractPath);
    ASSERT_NE(service.port(), 0);
    folders.writeServer(service.baseAddress() + u'/');  // a trailing "/" is tolerated
    folders.writeCatalogue("an answer for another field");
    ReductionController controller(view, lang, folders.paths());

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

TEST_F(DownloadTest, EachNetworkFailureIsReportedAndLeavesAnEmptyCatalogue)
{
    struct Row {
        const char* name;
        QStringList serviceOptions;
        bool refused;                // nothing listening on the port
        DownloadLimits limits;
        bool cancel;
        QString reasonPart;
    };
    DownloadLimits quick;
    quick.inactivityTimeoutMs = 1000;
    DownloadLimits tiny = quick;
    tiny.maxBytes = 200;
    const std::vector<Row> rows = {
        {"refused connection", {}, true, quick, false, QString()},
        {"not found", {"--status", "404"}, false, quick, false, "HTTP 404"},
        {"server error", {"--status", "500"}, false, quick, false, "HTTP 500"},
        {"no answer", {"--hang"}, false, quick, false, "aucune réponse du service depuis 1 s"},
        {"no data marker", {"--no-marker"}, false, quick, false, "aucune liste d'étoiles"},
        {"too large", {}, false, tiny, false, "trop volumineuse"},
        {"cancelled", {"--delay-ms", "5000"}, false, quick, true, "annulé"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view = FakeView();
        setCentre(view);
        std::unique_ptr<CatalogueService> service;
        QString base;
        if (row.refused) {
            QTcpServer probe;
            ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
            base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
            probe.close();  // the port is free again: nothing answers there
        } else {
            service = std::make_unique<CatalogueService>(extractPath, row.serviceOptions);
            ASSERT_NE(service->port(), 0);
            base = service->baseAddress();
        }
        folders.writeServer(base);
        folders.writeCatalogue("an answer for another field");
        view.monitor.cancel = row.cancel;
        ReductionController controller(view, lang, folders.paths());
        controller.setDownloadLimits(row.limits);

        controller.DownloadData();

        // A refused connection carries the network library's own reason.
        expectFailureReport(row.refused ? QStringLiteral("Échec du téléchargement") : row.reasonPart,
                            true);
    }
}

TEST_F(DownloadTest, BadFieldsOrServiceAddressAreRefusedBeforeAnyRequest)
{
    CatalogueService service(extractPath);
    ASSERT_NE(service.port(), 0);
    struct Row {
        const char* name;
        QString control;       // field changed, or empty
        QString value;
        QByteArray serverFile;  // contents of serveur.cfg; "-" for no file
        QString reasonPart;
    };
    const QByteArray good = service.baseAddress().toUtf8();
    const std::vector<Row> rows = {
        {"minutes not a number", "txt_ra_1", "3x", good, "RA (minutes)"},
        {"empty degrees", "txt_dec_0", {}, good, "DEC (degrés)"},
        {"no serveur.cfg", {}, {}, "-", "serveur.cfg"},
        {"empty serveur.cfg", {}, {}, "", "serveur.cfg"},
        {"not an http address", {}, {}, "ftp://127.0.0.1/", "serveur.cfg"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view = FakeView();
        setCentre(view);
        if (!row.control.isEmpty()) view.setText(row.control, row.value);
        QFile::remove(folders.program.path() + QStringLiteral("/serveur.cfg"));
        if (row.serverFile != "-")
            folders.writeProgramFile(QStringLiteral("serveur.cfg"), row.serverFile);
        folders.writeCatalogue("an answer for another field");
        ReductionController controller(view, lang, folders.paths());

        controller.DownloadData();

        expectFailureReport(row.reasonPart, false);
    }
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
