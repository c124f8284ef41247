// The catalogue-service program itself, started on 127.0.0.1 with a free
// port and asked over HTTP, including the switches that make it misbehave.

#include "tools/catalogue_service/service_process.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace ce::service {
namespace {

constexpr char kQuery[] =
    "/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1"
    "&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000";

// Around the demonstration centre: two bright stars inside 20', one too faint for magfaint=13.
constexpr char kExtract[] =
    "U1050_00000001  23.70000 +22.18000 12.5 13.0\n"
    "U1125_00000002  23.72000 +22.50000  8.2  9.0\n"
    "U1050_00000003  23.70500 +22.18500 14.0 15.1\n";

// A service over kExtract, working in a temporary folder.
class RunningService {
public:
    explicit RunningService(const QStringList& extraArguments)
    {
        QFile file(dir_.filePath(QStringLiteral("extract.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kExtract);
        file.close();
        service.process().setWorkingDirectory(dir_.path());
        const Status started =
            service.start(file.fileName(), extraArguments, QStringLiteral(CE_CATALOGUE_SERVICE_EXE), 60);
        EXPECT_TRUE(started.ok()) << qPrintable(started.error());
    }

    // Sends the address as written, "+" included, as the program does.
    httplib::Result get(const char* path, int readTimeoutSeconds = 10) const
    {
        httplib::Client c("127.0.0.1", service.port());
        c.set_read_timeout(readTimeoutSeconds, 0);
        c.set_connection_timeout(5, 0);
        c.set_url_encode(false);
        return c.Get(path);
    }

    QTemporaryDir dir_;
    ServiceProcess service;
};

TEST(CatalogueServiceProgram, AnswersTheProgramsQuery)
{
    RunningService s({});
    ASSERT_GT(s.service.port(), 0);
    const auto res = s.get(kQuery);
    ASSERT_TRUE(res) << httplib::to_string(res.error());
    EXPECT_EQ(res->status, 200);
    // Brightest first, after the marker the reader needs; the faint star left out.
    const auto first = res->body.find("</b>   1 U1125_00000002");
    ASSERT_NE(first, std::string::npos) << res->body;
    EXPECT_LT(first, res->body.find("\n   2 U1050_00000001"));
    EXPECT_EQ(res->body.find("U1050_00000003"), std::string::npos);

    const auto elsewhere = s.get("/skycat/servers/gsc_res?ra=1");
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->status, 404);
    const auto incomplete = s.get("/skycat/servers/usnoa_res?catalogue=usnoa&ra=1+34+50");
    ASSERT_TRUE(incomplete);
    EXPECT_EQ(incomplete->status, 400);
    EXPECT_EQ(incomplete->body.find("</b>"), std::string::npos);

    const Status stopped = s.service.stop();  // SIGTERM ends it cleanly
    EXPECT_TRUE(stopped.ok()) << qPrintable(stopped.error());
    // One log line per request on stderr, naming the query and the count.
    const QByteArray log = s.service.process().readAllStandardError();
    for (const char* line : {"magfaint=13.", "-> 200, 2 ", "-> 404", "-> 400"})
        EXPECT_TRUE(log.contains(line)) << line << "\n" << log.constData();
}

TEST(CatalogueServiceProgram, FailureSwitches)
{
    {
        RunningService s({"--status", "503"});
        const auto res = s.get(kQuery);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 503);
        EXPECT_EQ(res->body.find("</b>   1 U"), std::string::npos);
    }
    {
        RunningService s({"--no-marker"});
        const auto res = s.get(kQuery);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_NE(res->body.find("   1 U1125_00000002"), std::string::npos);
        EXPECT_EQ(res->body.find("</b>   1 U"), std::string::npos);
    }
    {
        RunningService s({"--delay-ms", "1500"});
        EXPECT_FALSE(s.get(kQuery, 1));  // a client that waits less gets nothing
        const auto patient = s.get(kQuery, 10);
        ASSERT_TRUE(patient);
        EXPECT_EQ(patient->status, 200);
    }
    {
        RunningService s({"--hang"});
        EXPECT_FALSE(s.get(kQuery, 1));
        EXPECT_TRUE(s.service.stop().ok());  // SIGTERM still ends it
    }
}

TEST(CatalogueServiceProgram, PortFileSafetyExitAndBadStart)
{
    {
        // The later --exit-after-seconds wins over the helper's safety net; the
        // port file, relative to the working folder, names the port in use.
        RunningService s({"--port-file", "port.txt", "--exit-after-seconds", "1"});
        ASSERT_TRUE(s.service.process().waitForFinished(15000));
        EXPECT_EQ(s.service.process().exitCode(), 0);
        QFile portFile(s.dir_.filePath(QStringLiteral("port.txt")));
        ASSERT_TRUE(portFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(portFile.readAll().trimmed().toInt(), s.service.port());
    }
    ServiceProcess missing;
    const Status started = missing.start(QStringLiteral("/nonexistent/extract.txt"), {},
                                         QStringLiteral(CE_CATALOGUE_SERVICE_EXE));
    ASSERT_FALSE(started.ok());
    EXPECT_TRUE(started.error().contains(QStringLiteral("/nonexistent/extract.txt"))) << qPrintable(started.error());
}

}  // namespace
}  // namespace ce::service

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);  // QProcess reports through the event loop
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
