#include "engine/qualityreport.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString measuredText(const QHash<QString, QString> &reports)
{
    bool ssimNumber = false;
    bool psnrNumber = false;
    const double ssim = reports.value(QStringLiteral("ssim")).toDouble(&ssimNumber);
    const QString psnrText = reports.value(QStringLiteral("psnr"));
    const double psnr = psnrText.toDouble(&psnrNumber);
    if (ssimNumber && psnrText == QLatin1String("inf"))
        return QCoreApplication::translate("QualityReport",
                                           "SSIM %1, PSNR infinite: every frame is the source's")
            .arg(ssim, 0, 'f', 3);
    if (ssimNumber && psnrNumber && std::isfinite(psnr))
        return QCoreApplication::translate("QualityReport", "SSIM %1, PSNR %2 dB")
            .arg(ssim, 0, 'f', 3)
            .arg(psnr, 0, 'f', 1);
    return QString();
}

} // namespace

bool passChecksQuality(const ConvertJob &job, const ConversionPass &pass)
{
    return job.profile.category == Video && pass.kind == PassKind::Single;
}

QString qualityReportText(const ConvertJob &job, const ConversionPass &pass,
                          const QHash<QString, QString> &reports)
{
    if (job.profile.category == Video && pass.kind == PassKind::JoinFinal)
        return QCoreApplication::translate(
            "QualityReport", "quality not measured: a join has no one source to compare with");
    if (!passChecksQuality(job, pass))
        return QString();
    if (const QString measured = measuredText(reports); !measured.isEmpty())
        return measured;
    if (reports.value(QStringLiteral("quality-skipped")) == QLatin1String("edited"))
        return QCoreApplication::translate("QualityReport",
                                           "quality not measured: the picture was edited");
    const QString failure = reports.value(QStringLiteral("quality-failed"));
    if (!failure.isEmpty())
        return QCoreApplication::translate("QualityReport", "quality not measured: %1")
            .arg(failure);
    return QString();
}
