#include "tests/conversion/webdriver.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

namespace {

constexpr int startTimeoutMs = 60000;

// Without these a headless browser on a closed network keeps trying to reach
// update, sync and field-trial servers; as root it needs --no-sandbox.
QStringList browserArguments(const QString &profileFolder)
{
    return {"--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-quic",
            "--disable-extensions",
            "--disable-default-apps",
            "--autoplay-policy=no-user-gesture-required",
            "--mute-audio",
            "--user-data-dir=" + profileFolder};
}

int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

HeadlessChromium::HeadlessChromium()
    : network(std::make_unique<QNetworkAccessManager>())
{
}

HeadlessChromium::~HeadlessChromium()
{
    if (!session.isEmpty())
        request("DELETE", QStringLiteral("/session/") + session, QJsonValue(), 20000);
    if (driver.state() != QProcess::NotRunning) {
        driver.terminate();
        if (!driver.waitForFinished(5000))
            driver.kill();
        driver.waitForFinished(5000);
    }
}

bool HeadlessChromium::start(const QString &profileFolder)
{
    const QString driverProgram = QStandardPaths::findExecutable(QStringLiteral("chromedriver"));
    const QString browserProgram = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (driverProgram.isEmpty() || browserProgram.isEmpty()) {
        lastError =
            QStringLiteral("chromium and chromedriver are not installed (scripts/install-deps.sh installs them)");
        return false;
    }
    const int port = freeLoopbackPort();
    base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    driver.setStandardOutputFile(QProcess::nullDevice());
    driver.start(driverProgram, {QStringLiteral("--port=%1").arg(port), QStringLiteral("--allowed-ips=127.0.0.1")});
    if (!driver.waitForStarted()) {
        lastError = QStringLiteral("chromedriver did not start");
        return false;
    }
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!request("GET", QStringLiteral("/status"), QJsonValue(), 2000).toObject().value("ready").toBool()) {
        if (deadline.hasExpired() || driver.state() == QProcess::NotRunning) {
            lastError = QStringLiteral("chromedriver did not answer on port %1").arg(port);
            return false;
        }
        QThread::msleep(200);
    }

    const QJsonObject options{{"binary", browserProgram},
                              {"args", QJsonArray::fromStringList(browserArguments(profileFolder))}};
    const QJsonObject capabilities{{"browserName", "chrome"}, {"goog:chromeOptions", options}};
    const QJsonValue created =
        request("POST", QStringLiteral("/session"),
                QJsonObject{{"capabilities", QJsonObject{{"alwaysMatch", capabilities}}}}, startTimeoutMs);
    session = created.toObject().value("sessionId").toString();
    if (session.isEmpty() && lastError.isEmpty())
        lastError = QStringLiteral("chromium did not start a session");
    return !session.isEmpty();
}

bool HeadlessChromium::open(const QString &url)
{
    request("POST", QStringLiteral("/session/%1/url").arg(session), QJsonObject{{"url", url}}, startTimeoutMs);
    return lastError.isEmpty();
}

QJsonValue HeadlessChromium::runAsync(const QString &script, const QJsonArray &arguments, int timeoutMs)
{
    request("POST", QStringLiteral("/session/%1/timeouts").arg(session), QJsonObject{{"script", timeoutMs}}, 10000);
    return request("POST", QStringLiteral("/session/%1/execute/async").arg(session),
                   QJsonObject{{"script", script}, {"args", arguments}}, timeoutMs + 10000);
}

// One WebDriver command: its "value", or undefined with lastError set.
QJsonValue HeadlessChromium::request(const QByteArray &verb, const QString &path, const QJsonValue &body, int timeoutMs)
{
    lastError.clear();
    QNetworkRequest message(QUrl(base + path));
    message.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    message.setTransferTimeout(timeoutMs);
    const QByteArray payload = body.isUndefined() ? QByteArray() : QJsonDocument(body.toObject()).toJson();
    QNetworkReply *reply = network->sendCustomRequest(message, verb, payload);
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec();
    const QJsonValue value = QJsonDocument::fromJson(reply->readAll()).object().value("value");
    if (reply->error() != QNetworkReply::NoError)
        lastError = value.toObject().value("message").toString(reply->errorString());
    reply->deleteLater();
    return lastError.isEmpty() ? value : QJsonValue(QJsonValue::Undefined);
}
