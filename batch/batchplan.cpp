#include "batch/batchplan.h"

#include "app/folderwalk.h"
#include "app/formats.h"
#include "app/outputfolder.h"

#include <QFileInfo>

namespace {

bool isJoinFormat(const OutputProfile &profile)
{
    return profile.category == VideoMerge || profile.category == AudioMerge;
}

} // namespace

BatchPlan BatchPlan::make(const CommandLineRequest &request)
{
    BatchPlan plan;
    const OutputProfile &profile = request.format.profile;
    const QStringList accepted = inputSuffixes(profile.category);
    const auto takes = [&accepted](const QString &name) {
        return accepted.contains(QFileInfo(name).suffix().toLower());
    };
    QList<FoundFile> inputs; // a file given is at the top of the output folder
    for (const QString &path : request.files) {
        const QFileInfo info(path);
        if (!info.exists()) {
            plan.refused.append({path, tr("no such file")});
        } else if (info.isDir()) {
            // What the format does not take is passed over: a folder holds covers and playlists too.
            FolderWalk walk = walkFolder(path, takes, request.outputFolder);
            for (const QString &folder : std::as_const(walk.unreadable))
                plan.refused.append({folder, tr("the folder cannot be read")});
            // A folder that gives nothing at all (an empty mount point, the
            // wrong format) is named, rather than a run of no jobs said to succeed.
            if (walk.files.isEmpty() && walk.unreadable.isEmpty())
                plan.refused.append(
                    {path, tr("no file in it that %1 takes").arg(request.format.name)});
            inputs << std::move(walk.files);
        } else if (!info.isFile()) {
            plan.refused.append({path, tr("not a file")});
        } else if (!takes(path)) {
            plan.refused.append(
                {path, tr("%1 does not take .%2 files").arg(request.format.name, info.suffix())});
        } else {
            inputs.append({path, QString()});
        }
    }

    if (isJoinFormat(profile)) {
        if (inputs.size() >= 2) {
            ConvertJob job = makeJob(request.format.formatId, profile);
            job.loudness = request.loudness;
            for (const FoundFile &input : std::as_const(inputs))
                job.inputFiles << input.path;
            job.outputPath = joinOutputPath(request.outputFolder, profile.category);
            job.fitBytes = request.fitBytes;
            plan.jobs << job;
        } else if (!inputs.isEmpty()) {
            plan.refused.append({inputs.first().path, tr("a join needs at least two files")});
        } else if (plan.refused.isEmpty()) {
            plan.refused.append({request.files.first(), tr("a join needs at least two files")});
        }
        return plan;
    }
    plan.jobs.reserve(inputs.size());
    for (const FoundFile &input : std::as_const(inputs)) {
        ConvertJob job = makeJob(request.format.formatId, profile);
        job.loudness = request.loudness;
        job.inputPath = input.path;
        job.inputFiles << input.path;
        if (!request.flat)
            job.outputSubfolder = input.subfolder;
        job.outputPath =
            outputPathFor(request.outputFolder, input.path, job.formatId, job.outputSubfolder);
        job.fitBytes = request.fitBytes;
        plan.jobs << job;
    }
    return plan;
}

QString batchJobName(const ConvertJob &job)
{
    return job.inputFiles.size() >= 2 ? BatchPlan::tr("%n files", nullptr, int(job.inputFiles.size()))
                        : QFileInfo(job.inputPath).fileName();
}
