// imageconvert/convert: converts one picture with ImageMagick.
//
//   convert [-y] INPUT[selector] OUTPUT
//
// The output's suffix names the format: jpg, png, bmp, gif, pcx, tga, ico,
// tif, webp, avif. A HEIF input (HEIC, AVIF) keeps its EXIF and colour
// profile, which ImageMagick 6 does not read from it, through libheif. An output that is there is replaced only with -y; otherwise the
// picture takes the next free "_N" name and the tool prints
// "quillmora:output=<absolute path>" on stdout. Exit code 0 only when the
// output was written; otherwise the last line
// on stderr says what was wrong. ImageMagick is Debian's convert-im6 by its
// full path (a "convert" earlier on PATH may be another program);
// QUILLMORA_IMAGEMAGICK names another one, for tests and for installations
// that keep it elsewhere. Its scratch files go to a private folder beside
// the output, which goes when the conversion ends, however it ends.

#include "tools/common/childprocess.h"
#include "tools/common/scratchfolder.h"
#include "tools/common/stopsignals.h"
#include "tools/common/temporaryoutput.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/imageconvert/heifmetadata.h"
#include "tools/imageconvert/imagecommand.h"
#include "tools/imageconvert/magickreport.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <csignal>

namespace {

QString imageMagickProgram()
{
    const QString chosen = qEnvironmentVariable("QUILLMORA_IMAGEMAGICK");
    if (!chosen.isEmpty())
        return chosen;
    for (const char *candidate : {"/usr/bin/convert-im6.q16", "/usr/bin/convert-im6.q16hdri"}) {
        if (QFileInfo(QLatin1String(candidate)).isExecutable())
            return QLatin1String(candidate);
    }
    return QFileInfo(QStringLiteral("/etc/alternatives/convert")).canonicalFilePath();
}

} // namespace

int main(int argc, char *argv[])
{
    toolerror::setToolName("convert");
    stopsignals::install(SIGTERM); // on SIGTERM ImageMagick removes its scratch files itself
    const bool replace = argc == 4 && qstrcmp(argv[1], "-y") == 0;
    if (argc != 3 + int(replace))
        return toolerror::fail(QStringLiteral("usage: convert [-y] INPUT OUTPUT"));

    const QString given = QString::fromLocal8Bit(argv[argc - 2]);
    const QString outputPath = QString::fromLocal8Bit(argv[argc - 1]);
    ImageInput input = resolveImageInput(given);
    if (!input.exists)
        return toolerror::fail(QStringLiteral("cannot read %1: no such file").arg(given));
    const QString inputName = QFileInfo(input.path).fileName();
    if (QFileInfo(input.path).size() == 0)
        return toolerror::fail(QStringLiteral("cannot convert %1: the file is empty").arg(inputName));
    const ImageTarget *target = imageTargetFor(QFileInfo(outputPath).suffix());
    if (!target)
        return toolerror::fail(QStringLiteral("cannot write pictures of the kind \"%1\"").arg(QFileInfo(outputPath).suffix()));

    const QString program = imageMagickProgram();
    if (program.isEmpty())
        return toolerror::fail(QStringLiteral("ImageMagick is not installed"));

    TemporaryOutput output(outputPath, replace ? TemporaryOutput::Existing::Replace : TemporaryOutput::Existing::Keep);
    ScratchFolder scratch;
    QString error;
    if (!output.create(&error) || !scratch.create(QFileInfo(outputPath).absolutePath(), &error))
        return toolerror::fail(error);
    qputenv("MAGICK_TEMPORARY_PATH", QFile::encodeName(scratch.path()));
    if (!writeHeifProfiles(input.path, scratch.path(), &input.profiles, &error))
        return toolerror::fail(error);

    const int descriptor = output.inheritableDescriptor();
    const QString writeTo = descriptor >= 0 ? QStringLiteral("fd:%1").arg(descriptor) : output.path();
    const ChildResult run = runChild(program, magickLogArguments() + imageMagickArguments(input, *target, writeTo));
    if (run.stopped)
        return stopsignals::exitCode();
    if (!run.started)
        return toolerror::fail(run.startError);
    if (!run.exitedNormally)
        return toolerror::fail(QStringLiteral("ImageMagick crashed (%1) while converting %2")
                                   .arg(run.signalName(), inputName));
    if (!run.succeeded())
        return toolerror::fail(describeRefusal(run.errorOutput, inputName, writeTo));
    if (output.size() == 0)
        return toolerror::fail(QStringLiteral("ImageMagick wrote nothing for %1").arg(given));
    if (stopsignals::requested())
        return stopsignals::exitCode();
    if (!output.commit(&error))
        return toolerror::fail(error);
    toolreport::tellWrittenName(output);
    return 0;
}
