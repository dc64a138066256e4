#include "tools/imageconvert/heifmetadata.h"

#include <QFile>
#include <QtEndian>

#include <libheif/heif.h>

#include <memory>

namespace {

constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 ShortType = 3;

// Reads and writes the 16- and 32-bit numbers of a TIFF block in its byte order.
struct TiffNumbers {
    bool bigEndian = false;

    quint16 read16(const char *at) const
    {
        return bigEndian ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
    }
    quint32 read32(const char *at) const
    {
        return bigEndian ? qFromBigEndian<quint32>(at) : qFromLittleEndian<quint32>(at);
    }
    void write16(char *at, quint16 value) const
    {
        if (bigEndian)
            qToBigEndian(value, at);
        else
            qToLittleEndian(value, at);
    }
};

using Context = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Handle = std::unique_ptr<const heif_image_handle, decltype(&heif_image_handle_release)>;

bool isHeifFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(64);
    return heif_check_filetype(reinterpret_cast<const uint8_t *>(start.constData()),
                               int(start.size()))
           == heif_filetype_yes_supported;
}

// libheif's EXIF block starts with the distance from its end to the TIFF header.
QByteArray tiffOfExifBlock(const QByteArray &block)
{
    if (block.size() < 4)
        return {};
    const quint32 skip = qFromBigEndian<quint32>(block.constData());
    if (skip > quint32(block.size() - 4))
        return {};
    return block.mid(4 + int(skip));
}

QByteArray exifOf(const heif_image_handle *handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1)
        return {};
    QByteArray block(int(heif_image_handle_get_metadata_size(handle, id)), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok)
        return {};
    return tiffOfExifBlock(block);
}

QByteArray iccProfileOf(const heif_image_handle *handle)
{
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC)
        return {};
    QByteArray profile(int(heif_image_handle_get_raw_color_profile_size(handle)),
                       Qt::Uninitialized);
    if (profile.isEmpty()
        || heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
        return {};
    return profile;
}

bool writeFile(const QString &path, const QByteArray &data, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace

HeifMetadata readHeifMetadata(const QString &path)
{
    HeifMetadata metadata;
    if (!isHeifFile(path))
        return metadata;
    const Context context(heif_context_alloc(), &heif_context_free);
    if (!context
        || heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr)
                   .code
               != heif_error_Ok)
        return metadata;
    heif_image_handle *primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return metadata;
    const Handle handle(primary, &heif_image_handle_release);
    metadata.exif = exifOf(handle.get());
    metadata.iccProfile = iccProfileOf(handle.get());
    return metadata;
}

QByteArray uprightExif(QByteArray tiff)
{
    if (tiff.size() < 8 || !(tiff.startsWith("II*\0") || tiff.startsWith(QByteArray("MM\0*", 4))))
        return tiff;
    const TiffNumbers numbers{tiff.startsWith("MM")};
    const quint32 ifd = numbers.read32(tiff.constData() + 4);
    if (ifd > quint32(tiff.size() - 2))
        return tiff;
    const quint16 count = numbers.read16(tiff.constData() + ifd);
    for (quint32 entry = ifd + 2;
         entry + 12 <= quint32(tiff.size()) && entry < ifd + 2 + 12u * count; entry += 12) {
        if (numbers.read16(tiff.constData() + entry) == OrientationTag
            && numbers.read16(tiff.constData() + entry + 2) == ShortType) {
            numbers.write16(tiff.data() + entry + 8, 1);
            break;
        }
    }
    return tiff;
}

bool writeHeifProfiles(const QString &input, const QString &folder, QStringList *files,
                       QString *error)
{
    const HeifMetadata metadata = readHeifMetadata(input);
    if (!metadata.exif.isEmpty()) {
        // ImageMagick's APP1 reader takes the block as a JPEG's APP1 segment holds it.
        const QString path = folder + QStringLiteral("/exif.app1");
        if (!writeFile(path, QByteArray("Exif\0\0", 6) + uprightExif(metadata.exif), error))
            return false;
        files->append(path);
    }
    if (!metadata.iccProfile.isEmpty()) {
        const QString path = folder + QStringLiteral("/profile.icc");
        if (!writeFile(path, metadata.iccProfile, error))
            return false;
        files->append(path);
    }
    return true;
}
