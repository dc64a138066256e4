#include "app/jobrecord.h"

#include "app/formats.h"
#include "app/loudnesschoices.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The integer fields of EditOptions and of WatermarkOptions, by key.
template <typename Record>
struct IntField {
    const char *key;
    int Record::*member;
};

const IntField<EditOptions> editFields[] = {
    {"trimStart", &EditOptions::trimStart},
    {"trimLength", &EditOptions::trimLength},
    {"gifSize", &EditOptions::gifSize},
    {"rotation", &EditOptions::rotation},
    {"verticalFlip", &EditOptions::verticalFlip},
    {"horizontalFlip", &EditOptions::horizontalFlip},
    {"volume", &EditOptions::volume},
    {"brightness", &EditOptions::brightness},
    {"contrast", &EditOptions::contrast},
    {"saturation", &EditOptions::saturation},
    {"subtitleCodePage", &EditOptions::subtitleCodePage},
    {"subtitleFontSize", &EditOptions::subtitleFontSize},
};

const IntField<WatermarkOptions> watermarkFields[] = {
    {"imageX", &WatermarkOptions::imageX},
    {"imageY", &WatermarkOptions::imageY},
    {"fontSize", &WatermarkOptions::fontSize},
    {"fontColor", &WatermarkOptions::fontColor},
    {"textX", &WatermarkOptions::textX},
    {"textY", &WatermarkOptions::textY},
};

void readInt(const QJsonObject &object, const char *key, int *value)
{
    const QJsonValue field = object.value(QLatin1String(key));
    if (field.isDouble())
        *value = field.toInt(*value);
}

void readString(const QJsonObject &object, const char *key, QString *value)
{
    const QJsonValue field = object.value(QLatin1String(key));
    if (field.isString())
        *value = field.toString();
}

QJsonObject watermarkToJson(const WatermarkOptions &watermark)
{
    QJsonObject object{{"imagePath", watermark.imagePath},
                       {"text", watermark.text},
                       {"fontName", watermark.fontName}};
    for (const auto &field : watermarkFields)
        object.insert(QLatin1String(field.key), watermark.*field.member);
    return object;
}

WatermarkOptions watermarkFromJson(const QJsonObject &object)
{
    WatermarkOptions watermark;
    readString(object, "imagePath", &watermark.imagePath);
    readString(object, "text", &watermark.text);
    readString(object, "fontName", &watermark.fontName);
    for (const auto &field : watermarkFields)
        readInt(object, field.key, &(watermark.*field.member));
    return watermark;
}

QJsonObject editToJson(const EditOptions &edit)
{
    QJsonObject object{{"subtitlePath", edit.subtitlePath},
                       {"watermark", watermarkToJson(edit.watermark)}};
    for (const auto &field : editFields)
        object.insert(QLatin1String(field.key), edit.*field.member);
    return object;
}

EditOptions editFromJson(const QJsonObject &object)
{
    EditOptions edit;
    readString(object, "subtitlePath", &edit.subtitlePath);
    edit.watermark = watermarkFromJson(object.value(QLatin1String("watermark")).toObject());
    for (const auto &field : editFields)
        readInt(object, field.key, &(edit.*field.member));
    return edit;
}

QStringList stringsOf(const QJsonValue &value)
{
    QStringList strings;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &entry : array) {
        if (entry.isString())
            strings << entry.toString();
    }
    return strings;
}

} // namespace

QJsonObject jobToJson(const ConvertJob &job)
{
    QJsonArray profile;
    for (int position = 0; position < OutputProfile::FieldCount; ++position)
        profile.append(job.profile.field(position));
    return QJsonObject{{"inputPath", job.inputPath},
                       {"outputPath", job.outputPath},
                       {"outputSubfolder", job.outputSubfolder},
                       {"inputFiles", QJsonArray::fromStringList(job.inputFiles)},
                       {"formatId", job.formatId},
                       {"state", job.state},
                       {"profile", profile},
                       {"edit", editToJson(job.edit)},
                       {"fitBytes", double(job.fitBytes)},
                       {"loudness", job.loudness}};
}

bool jobFromJson(const QJsonObject &object, ConvertJob *job)
{
    int formatId = -1;
    readInt(object, "formatId", &formatId);
    if (!formatInfo(formatId))
        return false;

    ConvertJob read = makeJob(formatId, defaultProfile(formatId));
    const QJsonArray profile = object.value(QLatin1String("profile")).toArray();
    if (profile.size() == OutputProfile::FieldCount) {
        for (int position = 0; position < OutputProfile::FieldCount; ++position)
            read.profile.setField(position, profile.at(position).toInt(read.profile.field(position)));
    }
    readString(object, "inputPath", &read.inputPath);
    readString(object, "outputPath", &read.outputPath);
    readString(object, "outputSubfolder", &read.outputSubfolder);
    read.inputFiles = stringsOf(object.value(QLatin1String("inputFiles")));
    readInt(object, "state", &read.state);
    read.edit = editFromJson(object.value(QLatin1String("edit")).toObject());
    // A count of bytes: whole, and within what a double holds exactly.
    const double fitBytes = object.value(QLatin1String("fitBytes")).toDouble();
    if (fitBytes >= 1 && fitBytes <= 1e15)
        read.fitBytes = qint64(fitBytes);
    readInt(object, "loudness", &read.loudness);
    if (!isLoudnessTarget(read.loudness))
        read.loudness = 0; // a list from before the choice, or a value it never offered

    if (read.inputFiles.isEmpty() || read.outputPath.isEmpty())
        return false;
    *job = read;
    return true;
}

JobListDocument readJobList(const QByteArray &document)
{
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(document, &error);
    JobListDocument list;
    list.isList = error.error == QJsonParseError::NoError && parsed.isObject()
                  && parsed.object().value(QLatin1String("jobs")).isArray();
    if (!list.isList)
        return list;
    list.version =
        parsed.object().value(QLatin1String("version")).toInt(JobListDocument::CurrentVersion);
    const QJsonArray array = parsed.object().value(QLatin1String("jobs")).toArray();
    for (const QJsonValue &entry : array) {
        if (entry.isObject())
            list.jobs << entry.toObject();
    }
    return list;
}
