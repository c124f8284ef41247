// The catalogue-service program itself, started on 127.0.0.1 with a free
// port and asked over HTTP.

#include "tools/catalogue_service/service_process.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace ce::service {
namespace {

TEST(CatalogueServiceProgram, AnswersTheProgramsQueryAndLogsEachRequest)
{
    // Around the demonstration centre: two stars inside 20', one too faint for magfaint=13.
    QTemporaryDir dir;
    QFile extract(dir.filePath(QStringLiteral("extract.txt")));
    ASSERT_TRUE(extract.open(QIODevice::WriteOnly));
    extract.write("U1050_00000001  23.70000 +22.18000 12.5 13.0\n"
                  "U1125_00000002  23.72000 +22.50000  8.2  9.0\n"
                  "U1050_00000003  23.70500 +22.18500 14.0 15.1\n");
    extract.close();
    ServiceProcess service;
    const Status started = service.start(extract.fileName(), {}, QStringLiteral(CE_CATALOGUE_SERVICE_EXE), 60);
    ASSERT_TRUE(started.ok()) << qPrintable(started.error());
    ASSERT_GT(service.port(), 0);

    httplib::Client client("127.0.0.1", service.port());
    client.set_read_timeout(10, 0);
    client.set_url_encode(false);  // the address as written, "+" included, as the program sends it
    const auto res = client.Get("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1"
                                "&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000");
    ASSERT_TRUE(res) << httplib::to_string(res.error());
    EXPECT_EQ(res->status, 200);
    // Brightest first, after the marker the reader needs; the faint star left out.
    const auto first = res->body.find("</b>   1 U1125_00000002");
    ASSERT_NE(first, std::string::npos) << res->body;
    EXPECT_LT(first, res->body.find("\n   2 U1050_00000001"));
    EXPECT_EQ(res->body.find("U1050_00000003"), std::string::npos);
    // Asked for brotli too, the service answers gzip at most.
    client.set_decompress(false);
    const auto packed = client.Get("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50"
                                   "&dec=22+11+1&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000",
                                   {{"Accept-Encoding", "br, zstd, gzip"}});
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->get_header_value("Content-Encoding"), "gzip");
    EXPECT_EQ(packed->body.substr(0, 2), (std::string{char(0x1f), char(0x8b)}));  // the gzip magic
    // The same stars through an ASU query, in the asu-tsv layout.
    client.set_decompress(true);
    const auto asu = client.Get("/viz-bin/asu-tsv?-source=I%2F252%2Fout&-c=23.708333%2B22.183611&-c.rm=20"
                                "&-out=USNO-A2.0,RAJ2000,Rmag&-sort=Rmag&Rmag=%3C13");
    ASSERT_TRUE(asu);
    EXPECT_EQ(asu->status, 200);
    EXPECT_NE(asu->body.find("USNO-A2.0\tRAJ2000\tRmag\n\tdeg\tmag\n"), std::string::npos) << asu->body;
    EXPECT_LT(asu->body.find("1125-00000002\t023.720000\t 8.2"), asu->body.find("1050-00000001\t023.700000\t12.5"));
    EXPECT_EQ(asu->body.find("1050-00000003"), std::string::npos);
    const auto refused = client.Get("/viz-bin/asu-tsv?-source=I%2F355%2Fgaiadr3&-c=1%2B2&-c.rm=1");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 404);  // started without a Gaia extract
    const auto elsewhere = client.Get("/skycat/servers/gsc_res?ra=1");
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->status, 404);

    const Status stopped = service.stop();  // SIGTERM ends it cleanly
    EXPECT_TRUE(stopped.ok()) << qPrintable(stopped.error());
    // One log line per request on stderr, naming the query and the count.
    const QByteArray log = service.process().readAllStandardError();
    for (const char* line : {"magfaint=13.", "-> 200, 2 ", "-> 404", "Rmag=%3C13 -> 200, 2 "}) EXPECT_TRUE(log.contains(line)) << line << "\n" << log.constData();
}

}  // namespace
}  // namespace ce::service

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);  // QProcess reports through the event loop
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
