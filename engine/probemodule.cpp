#include "engine/probemodule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cstdlib>
#include <map>
#include <memory>

#include <dlfcn.h>

namespace {

struct Loaded {
    std::unique_ptr<ProbeModule> module; // null: it did not load
    QString error;
};

int askInterrupted(void *context)
{
    const auto &interrupted = *static_cast<const std::function<bool()> *>(context);
    return interrupted && interrupted() ? 1 : 0;
}

// Text of the module, given back to it.
QByteArray takeText(char *text, void (*release)(char *))
{
    const QByteArray taken(text ? text : "");
    if (text)
        release(text);
    return taken;
}

} // namespace

namespace {

QMutex loadLock;
std::map<QString, Loaded> loadedModules; // by path; never unloaded: libavcodec does not expect it

QString modulePath(const QString &folder)
{
    return QDir(folder).absoluteFilePath(QString::fromLatin1(probeModuleFileName));
}

} // namespace

const ProbeModule *ProbeModule::in(const QString &folder, QString *error)
{
    QMutexLocker locker(&loadLock);
    const QString path = modulePath(folder);
    auto found = loadedModules.find(path);
    if (found == loadedModules.end()) {
        Loaded entry;
        if (!QFileInfo::exists(path)) {
            entry.error = QStringLiteral("%1 is missing").arg(path);
        } else if (void *handle = dlopen(QFile::encodeName(path).constData(),
                                         RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND)) {
            auto module = std::make_unique<ProbeModule>();
            module->probeFunction =
                reinterpret_cast<decltype(probeFunction)>(dlsym(handle, "quillmora_probe"));
            module->muxerFunction =
                reinterpret_cast<decltype(muxerFunction)>(dlsym(handle, "quillmora_muxer_for"));
            module->encoderFunction =
                reinterpret_cast<decltype(encoderFunction)>(dlsym(handle, "quillmora_encoder_for"));
            module->streamBytesFunction = reinterpret_cast<decltype(streamBytesFunction)>(
                dlsym(handle, "quillmora_video_stream_bytes"));
            module->remuxFunction = reinterpret_cast<decltype(remuxFunction)>(dlsym(handle, "quillmora_remux"));
            module->freeFunction =
                reinterpret_cast<decltype(freeFunction)>(dlsym(handle, "quillmora_probe_free"));
            if (module->probeFunction && module->muxerFunction && module->encoderFunction
                && module->streamBytesFunction && module->remuxFunction && module->freeFunction)
                entry.module = std::move(module);
            else
                entry.error = QStringLiteral("%1 lacks the probe's functions").arg(path);
        } else {
            entry.error =
                QStringLiteral("cannot load %1: %2").arg(path, QString::fromLocal8Bit(dlerror()));
        }
        found = loadedModules.emplace(path, std::move(entry)).first;
    }
    if (error)
        *error = found->second.error;
    return found->second.module.get();
}

bool ProbeModule::isLoaded(const QString &folder)
{
    QMutexLocker locker(&loadLock);
    const auto found = loadedModules.find(modulePath(folder));
    return found != loadedModules.end() && found->second.module;
}

QByteArray ProbeModule::probe(const QString &path, const QString &outputPath, ProbeDetail detail,
                              const std::function<bool()> &interrupted, QString *error) const
{
    // An absolute name, so that "name:with colon.mp4" is never read as a protocol.
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    char *why = nullptr;
    char *facts =
        probeFunction(file.constData(), QFile::encodeName(outputPath).constData(), int(detail),
                      askInterrupted, const_cast<std::function<bool()> *>(&interrupted), &why);
    const QByteArray reason = takeText(why, freeFunction);
    if (!facts && error)
        *error = QString::fromUtf8(reason);
    return takeText(facts, freeFunction);
}

QString ProbeModule::muxerFor(const QString &path) const
{
    return QString::fromUtf8(
        takeText(muxerFunction(QFile::encodeName(path).constData()), freeFunction));
}

QString ProbeModule::encoderFor(const QString &codecName) const
{
    return QString::fromUtf8(
        takeText(encoderFunction(codecName.toUtf8().constData()), freeFunction));
}

qint64 ProbeModule::videoStreamBytes(const QString &path) const
{
    return streamBytesFunction(QFile::encodeName(path).constData());
}

namespace {

struct RemuxCalls {
    const std::function<void(double)> &progress;
    const std::function<bool()> &interrupted;
};

} // namespace

ProbeModule::Remuxed ProbeModule::remux(const QString &input, const QString &output, const QString &muxer,
                                        bool copyVideo, bool copyAudio, const std::function<void(double)> &progress,
                                        const std::function<bool()> &interrupted) const
{
    RemuxCalls calls{progress, interrupted};
    const int result = remuxFunction(
        // Absolute names, so that "name:with colon.mkv" is never read as a protocol.
        QFile::encodeName(QFileInfo(input).absoluteFilePath()).constData(),
        QFile::encodeName(QFileInfo(output).absoluteFilePath()).constData(), muxer.toUtf8().constData(),
        copyVideo, copyAudio,
        [](void *context, double seconds) {
            if (const auto &report = static_cast<RemuxCalls *>(context)->progress)
                report(seconds);
        },
        [](void *context) {
            const auto &asked = static_cast<RemuxCalls *>(context)->interrupted;
            return asked && asked() ? 1 : 0;
        },
        &calls);
    return result == 0 ? Remuxed::Written : result == 2 ? Remuxed::Interrupted : Remuxed::LeftToFfmpeg;
}

QStringList withProbedFacts(const QStringList &transcoderArguments, const QString &toolsFolder,
                            const std::function<bool()> &interrupted)
{
    const qsizetype input = transcoderArguments.indexOf(QStringLiteral("-i")) + 1;
    const ProbeModule *module = ProbeModule::in(toolsFolder);
    if (!module || input <= 0 || input >= transcoderArguments.size() - 1)
        return transcoderArguments;
    // The pixel format costs a few milliseconds of a video's first packets and
    // nothing for sound; without it the transcoder would load the module to
    // find out whether the pictures can be copied.
    QString error;
    const QByteArray facts =
        module->probe(transcoderArguments.at(input), transcoderArguments.last(),
                      ProbeDetail::PixelFormat, interrupted, &error);
    if (facts.isEmpty())
        return transcoderArguments;
    return QStringList{QStringLiteral("--facts=") + QString::fromUtf8(facts)} + transcoderArguments;
}
