// The catalogue-service program itself, started on 127.0.0.1 with a free
// port and asked over HTTP, including the switches that make it misbehave
// for the program's failure tests.

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

// Three stars around the demonstration centre (1h34m50s, +22 11 01):
// two bright ones inside 20', one too faint for magfaint=13.
constexpr char kExtract[] =
    "U1050_00000001  23.70000 +22.18000 12.5 13.0\n"
    "U1125_00000002  23.72000 +22.50000  8.2  9.0\n"
    "U1050_00000003  23.70500 +22.18500 14.0 15.1\n";

// A service over kExtract in a temporary folder (its working folder).
class RunningService {
public:
    explicit RunningService(const QStringList& extraArguments)
    {
        EXPECT_TRUE(dir_.isValid());
        QFile file(dir_.filePath(QStringLiteral("extract.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kExtract);
        file.close();
        service_.process().setWorkingDirectory(dir_.path());
        const Status started = service_.start(file.fileName(), extraArguments,
                                              QStringLiteral(CE_CATALOGUE_SERVICE_EXE), 60);
        EXPECT_TRUE(started.ok()) << qPrintable(started.error());
    }

    int port() const { return service_.port(); }
    QProcess& process() { return service_.process(); }
    Status stop() { return service_.stop(); }
    QString folder() const { return dir_.path(); }

    std::unique_ptr<httplib::Client> client(int readTimeoutSeconds = 10) const
    {
        auto c = std::make_unique<httplib::Client>("127.0.0.1", service_.port());
        c->set_read_timeout(readTimeoutSeconds, 0);
        c->set_connection_timeout(5, 0);
        // Send the address as written, "+" included, as the program does.
        c->set_url_encode(false);
        return c;
    }

private:
    QTemporaryDir dir_;
    ServiceProcess service_;
};

TEST(CatalogueServiceProgram, AnswersTheProgramsQuery)
{
    RunningService service({});
    ASSERT_GT(service.port(), 0);
    auto client = service.client();
    const auto res = client->Get(kQuery);
    ASSERT_TRUE(res) << httplib::to_string(res.error());
    EXPECT_EQ(res->status, 200);
    // Brightest first, the faint star left out, the marker the reader needs.
    const std::string& body = res->body;
    const auto first = body.find("</b>   1 U1125_00000002");
    const auto second = body.find("\n   2 U1050_00000001");
    ASSERT_NE(first, std::string::npos) << body;
    ASSERT_NE(second, std::string::npos) << body;
    EXPECT_LT(first, second);
    EXPECT_EQ(body.find("U1050_00000003"), std::string::npos);

    // Other paths are not the service; bad queries are refused with 400.
    const auto elsewhere = client->Get("/skycat/servers/gsc_res?ra=1");
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->status, 404);
    const auto incomplete = client->Get("/skycat/servers/usnoa_res?catalogue=usnoa&ra=1+34+50");
    ASSERT_TRUE(incomplete);
    EXPECT_EQ(incomplete->status, 400);
    EXPECT_EQ(incomplete->body.find("</b>"), std::string::npos);

    // SIGTERM ends it cleanly.
    const Status stopped = service.stop();
    EXPECT_TRUE(stopped.ok()) << qPrintable(stopped.error());
    // One log line per request on stderr, naming the query and the count.
    const QByteArray log = service.process().readAllStandardError();
    EXPECT_TRUE(log.contains("magfaint=13.")) << log.constData();
    EXPECT_TRUE(log.contains("-> 200, 2 ")) << log.constData();
    EXPECT_TRUE(log.contains("-> 404")) << log.constData();
    EXPECT_TRUE(log.contains("-> 400")) << log.constData();
}

TEST(CatalogueServiceProgram, FailureSwitches)
{
    {
        RunningService service({"--status", "503"});
        const auto res = service.client()->Get(kQuery);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 503);
        EXPECT_EQ(res->body.find("</b>   1 U"), std::string::npos);
    }
    {
        RunningService service({"--no-marker"});
        const auto res = service.client()->Get(kQuery);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_NE(res->body.find("   1 U1125_00000002"), std::string::npos);
        EXPECT_EQ(res->body.find("</b>   1 U"), std::string::npos);
    }
    {
        // Answers after the delay; a client that waits less gets nothing.
        RunningService service({"--delay-ms", "1500"});
        const auto impatient = service.client(1)->Get(kQuery);
        EXPECT_FALSE(impatient);
        const auto patient = service.client(10)->Get(kQuery);
        ASSERT_TRUE(patient);
        EXPECT_EQ(patient->status, 200);
    }
    {
        // Never answers, yet SIGTERM still ends it.
        RunningService service({"--hang"});
        const auto res = service.client(1)->Get(kQuery);
        EXPECT_FALSE(res);
        const Status stopped = service.stop();
        EXPECT_TRUE(stopped.ok()) << qPrintable(stopped.error());
    }
}

TEST(CatalogueServiceProgram, PortFileSafetyExitAndBadStart)
{
    {
        // The later --exit-after-seconds wins over the helper's safety net.
        RunningService service({"--port-file", "port.txt", "--exit-after-seconds", "1"});
        // The port file, relative to the working folder, names the port
        // printed on stdout; the service ends by itself after a second.
        ASSERT_TRUE(service.process().waitForFinished(15000));
        EXPECT_EQ(service.process().exitCode(), 0);
        QFile portFile(service.folder() + QStringLiteral("/port.txt"));
        ASSERT_TRUE(portFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(portFile.readAll().trimmed().toInt(), service.port());
    }
    {
        // A missing extract refuses to start, naming the file.
        ServiceProcess service;
        const Status started = service.start(QStringLiteral("/nonexistent/extract.txt"), {},
                                             QStringLiteral(CE_CATALOGUE_SERVICE_EXE));
        ASSERT_FALSE(started.ok());
        EXPECT_TRUE(started.error().contains(QStringLiteral("/nonexistent/extract.txt")))
            << qPrintable(started.error());
    }
}

}  // namespace
}  // namespace ce::service

int main(int argc, char** argv)
{
    // QProcess delivers its output through the Qt event machinery.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
