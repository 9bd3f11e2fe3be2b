#include "platform/excel/ZipPackage.h"

#include <zip.h>

#include <QFile>
#include <memory>

#include "platform/app/FailureKind.h"
#include "platform/excel/ExcelError.h"

namespace {
// One time stamp for every part we write, so a package does not change with the clock.
constexpr time_t kPartTime = 946684800;

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

QByteArray ReadEntry(zip_t* archive, zip_uint64_t index, const QString& name, const QString& path) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        throw ExcelError(QString("无法读取文件 %1 中的 %2").arg(path, name));
    // No part of a shop's workbook comes near this; a bigger one is a damaged file.
    constexpr zip_uint64_t kMaxPartSize = 512u * 1024u * 1024u;
    if (st.size > kMaxPartSize)
        throw ExcelError(QString("文件 %1 中的 %2 太大，无法读取").arg(path, name));
    QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    zip_file_t* f = zip_fopen_index(archive, index, 0);
    if (!f) throw ExcelError(QString("无法读取文件 %1 中的 %2").arg(path, name));
    const zip_int64_t got = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    if (got != static_cast<zip_int64_t>(st.size))
        throw ExcelError(QString("无法读取文件 %1 中的 %2").arg(path, name));
    return data;
}
}  // namespace

ZipPackage ZipPackage::Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ExcelError(ReadFailure(QStringLiteral("文件"), path, file.error()));
    const QByteArray bytes = file.readAll();
    file.close();

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    if (!src) {
        const int code = zip_error_code_zip(&error);
        zip_error_fini(&error);
        throw ExcelError(OtherFailure(QString("无法读取文件 %1").arg(path), code));
    }
    ArchivePtr archive(zip_open_from_source(src, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(src);
        zip_error_fini(&error);
        throw ExcelError(QString("文件 %1 不是工作簿文件").arg(path));
    }
    zip_error_fini(&error);

    ZipPackage package;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (!raw) continue;
        const QString name = QString::fromUtf8(raw);
        if (name.endsWith('/')) continue;  // folder entries carry nothing
        package.parts_.emplace_back(
            name, ReadEntry(archive.get(), static_cast<zip_uint64_t>(i), name, path));
    }
    return package;
}

bool ZipPackage::Has(const QString& name) const {
    for (const auto& p : parts_) {
        if (p.first == name) return true;
    }
    return false;
}

QByteArray ZipPackage::Part(const QString& name) const {
    for (const auto& p : parts_) {
        if (p.first == name) return p.second;
    }
    return {};
}

void ZipPackage::SetPart(const QString& name, const QByteArray& data) {
    for (auto& p : parts_) {
        if (p.first == name) {
            p.second = data;
            return;
        }
    }
    parts_.emplace_back(name, data);
}

void ZipPackage::Remove(const QString& name) {
    std::erase_if(parts_, [&name](const auto& p) { return p.first == name; });
}

QStringList ZipPackage::Names() const {
    QStringList out;
    for (const auto& p : parts_) out << p.first;
    return out;
}

QByteArray ZipPackage::ToZipBytes() const {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* sink = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!sink) throw ExcelError("无法生成工作簿文件：内存不足");
    zip_source_keep(sink);
    zip_t* archive = zip_open_from_source(sink, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(sink);
        zip_error_fini(&error);
        throw ExcelError("无法生成工作簿文件");
    }
    zip_error_fini(&error);

    // The part data must stay alive until zip_close, which is when libzip reads it.
    for (const auto& [name, data] : parts_) {
        zip_source_t* part =
            zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        const QByteArray utf8 = name.toUtf8();
        const zip_int64_t index =
            part ? zip_file_add(archive, utf8.constData(), part, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (part) zip_source_free(part);
            zip_discard(archive);
            zip_source_free(sink);
            throw ExcelError(QString("无法生成工作簿文件：%1").arg(name));
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kPartTime, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(sink);
        throw ExcelError("无法生成工作簿文件");
    }

    QByteArray out;
    zip_stat_t written;
    zip_stat_init(&written);
    if (zip_source_stat(sink, &written) == 0 && (written.valid & ZIP_STAT_SIZE))
        out.reserve(static_cast<qsizetype>(written.size));  // taken once, not grown
    if (zip_source_open(sink) == 0) {
        char buffer[65536];
        zip_int64_t n;
        while ((n = zip_source_read(sink, buffer, sizeof buffer)) > 0)
            out.append(buffer, static_cast<qsizetype>(n));
        zip_source_close(sink);
    }
    zip_source_free(sink);
    if (out.isEmpty()) throw ExcelError("无法生成工作簿文件");
    return out;
}
