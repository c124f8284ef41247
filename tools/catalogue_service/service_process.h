#pragma once
// Runs the catalogue-service program for a test: started on 127.0.0.1 with
// a free port, stopped with SIGTERM when the object goes.
//
// Header only, Qt Core only, so that any test target can use it:
//
//   ce::service::ServiceProcess service;
//   ASSERT_TRUE(service.start(extractPath, {"--delay-ms", "500"}).ok());
//   ... write service.baseUrl() into serveur.cfg, run the download ...
//   EXPECT_TRUE(service.stop().ok());
//
// A QCoreApplication must exist (QProcess needs it). The program is looked
// for beside the running executable (the build puts tests and programs in
// the same bin folder) unless a path is given. Every service started here
// also ends by itself after `safetySeconds`, so a failed test never leaves
// one behind.

#include "core/result.h"

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace ce::service {

class ServiceProcess {
public:
    ServiceProcess() = default;
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;
    ~ServiceProcess() { stop(); }

    static QString defaultProgram()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/catalogue-service");
    }

    // Starts the service on the extract file; waits for its "PORT <n>" line.
    Status start(const QString& extractPath, const QStringList& extraArguments = {},
                 const QString& program = defaultProgram(), int safetySeconds = 120, int timeoutMs = 10000)
    {
        stop();
        process_.setProgram(program);
        process_.setArguments(QStringList{QStringLiteral("--extract"), extractPath, QStringLiteral("--port"),
                                          QStringLiteral("0"), QStringLiteral("--exit-after-seconds"),
                                          QString::number(safetySeconds)} +
                              extraArguments);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(timeoutMs))
            return Status::failure(program + QStringLiteral(" : ") + process_.errorString());
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(timeoutMs)) {
                process_.waitForFinished(timeoutMs);
                return Status::failure(QStringLiteral("Le service n'a pas démarré : ") +
                                       QString::fromLocal8Bit(process_.readAllStandardError()));
            }
        }
        const QByteArray line = process_.readLine().trimmed();
        bool ok = false;
        port_ = line.startsWith("PORT ") ? line.mid(5).toInt(&ok) : 0;
        if (!ok || port_ <= 0)
            return Status::failure(QStringLiteral("Réponse inattendue du service : ") + QString::fromLatin1(line));
        return succeeded();
    }

    int port() const { return port_; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    QProcess& process() { return process_; }

    // Sends SIGTERM and waits; fails unless the service ended with code 0.
    // Stopping a service that does not run succeeds.
    Status stop(int timeoutMs = 10000)
    {
        if (process_.state() == QProcess::NotRunning)
            return succeeded();
        process_.terminate();
        if (!process_.waitForFinished(timeoutMs)) {
            process_.kill();
            process_.waitForFinished(timeoutMs);
            return Status::failure(QStringLiteral("Le service ne s'est pas arrêté"));
        }
        if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0)
            return Status::failure(
                QStringLiteral("Le service s'est terminé avec le code %1").arg(process_.exitCode()));
        return succeeded();
    }

private:
    QProcess process_;
    int port_ = 0;
};

}  // namespace ce::service
