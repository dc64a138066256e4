#include "batch/batchplan.h"

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
    QStringList inputs;
    for (const QString &path : request.files) {
        const QFileInfo info(path);
        if (!info.exists())
            plan.refused.append({path, tr("no such file")});
        else if (!info.isFile())
            plan.refused.append({path, tr("not a file")});
        else if (!accepted.contains(info.suffix().toLower()))
            plan.refused.append(
                {path, tr("%1 does not take .%2 files").arg(request.format.name, info.suffix())});
        else
            inputs << path;
    }

    if (isJoinFormat(profile)) {
        if (inputs.size() >= 2) {
            ConvertJob job = makeJob(request.format.formatId, profile);
            job.loudness = request.loudness;
            job.inputFiles = inputs;
            job.outputPath = joinOutputPath(request.outputFolder, profile.category);
            plan.jobs << job;
        } else if (!inputs.isEmpty()) {
            plan.refused.append({inputs.first(), tr("a join needs at least two files")});
        }
        return plan;
    }
    for (const QString &input : std::as_const(inputs)) {
        ConvertJob job = makeJob(request.format.formatId, profile);
        job.loudness = request.loudness;
        job.inputPath = input;
        job.inputFiles << input;
        job.outputPath = outputPathFor(request.outputFolder, input, job.formatId);
        plan.jobs << job;
    }
    return plan;
}

QString batchJobName(const ConvertJob &job)
{
    return job.inputFiles.size() >= 2 ? BatchPlan::tr("%n files", nullptr, int(job.inputFiles.size()))
                        : QFileInfo(job.inputPath).fileName();
}
