#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QProcess>
#include <QString>

#include <memory>

class QNetworkAccessManager;

// A headless Chromium driven through chromedriver's WebDriver protocol, on
// this machine only: the driver listens on the loopback, the browser starts
// with a fresh profile and with every feature that reaches the network off.
class HeadlessChromium
{
public:
    HeadlessChromium();
    ~HeadlessChromium();
    HeadlessChromium(const HeadlessChromium &) = delete;
    HeadlessChromium &operator=(const HeadlessChromium &) = delete;

    // Starts chromedriver and a browser session; false with error() set when
    // either program is missing or does not answer.
    bool start(const QString &profileFolder);
    QString error() const { return lastError; }

    bool open(const QString &url);
    // Runs an asynchronous script (its last argument is the callback) and
    // gives what it passed to the callback; an undefined value on failure.
    QJsonValue runAsync(const QString &script, const QJsonArray &arguments, int timeoutMs);

private:
    QJsonValue request(const QByteArray &verb, const QString &path, const QJsonValue &body, int timeoutMs);

    QProcess driver;
    std::unique_ptr<QNetworkAccessManager> network;
    QString base;
    QString session;
    QString lastError;
};
