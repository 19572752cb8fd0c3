#include "xlsx_reader.h"

#include <zlib.h>
#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QtEndian>

namespace xlsxreader {

namespace {

quint32 u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

}  // namespace

QByteArray zipEntry(const QString& zipFile, const QString& entry, QString* error)
{
    QFile f(zipFile);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return {};
    }
    const QByteArray zip = f.readAll();
    // End of central directory: the last signature PK\5\6.
    qsizetype eocd = -1;
    for (qsizetype i = zip.size() - 22; i >= 0 && i >= zip.size() - 22 - 65535; --i)
        if (u32(zip, i) == 0x06054b50) {
            eocd = i;
            break;
        }
    if (eocd < 0) {
        if (error)
            *error = QStringLiteral("not a zip file");
        return {};
    }
    const int count = u16(zip, eocd + 10);
    qsizetype at = u32(zip, eocd + 16);
    for (int n = 0; n < count && at + 46 <= zip.size(); ++n) {
        if (u32(zip, at) != 0x02014b50)
            break;
        const int method = u16(zip, at + 10);
        const quint32 compressed = u32(zip, at + 20);
        const quint32 size = u32(zip, at + 24);
        const int nameLen = u16(zip, at + 28);
        const int extraLen = u16(zip, at + 30);
        const int commentLen = u16(zip, at + 32);
        const quint32 local = u32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLen));
        at += 46 + nameLen + extraLen + commentLen;
        if (name != entry)
            continue;
        const qsizetype data = local + 30 + u16(zip, local + 26) + u16(zip, local + 28);
        const QByteArray raw = zip.mid(data, compressed);
        if (method == 0)
            return raw;
        if (method != 8) {
            if (error)
                *error = QStringLiteral("unknown compression %1").arg(method);
            return {};
        }
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        z_stream zs{};
        inflateInit2(&zs, -MAX_WBITS);
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        zs.avail_in = uInt(raw.size());
        zs.next_out = reinterpret_cast<Bytef*>(out.data());
        zs.avail_out = uInt(out.size());
        const int rc = inflate(&zs, Z_FINISH);
        inflateEnd(&zs);
        if (rc != Z_STREAM_END) {
            if (error)
                *error = QStringLiteral("inflate failed (%1)").arg(rc);
            return {};
        }
        return out;
    }
    if (error)
        *error = QStringLiteral("no entry %1").arg(entry);
    return {};
}

QMap<QString, QVariant> readCells(const QString& xlsxFile, QString* error)
{
    QMap<QString, QVariant> cells;
    QStringList shared;
    {
        QXmlStreamReader x(zipEntry(xlsxFile, QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (x.isStartElement() && x.name() == QLatin1String("t") && inSi) {
                current += x.readElementText();
            } else if (x.isEndElement() && x.name() == QLatin1String("si")) {
                shared << current;
                inSi = false;
            }
        }
    }
    const QByteArray sheet = zipEntry(xlsxFile, QStringLiteral("xl/worksheets/sheet1.xml"), error);
    QXmlStreamReader x(sheet);
    QString ref;
    QString type;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value(QLatin1String("r")).toString();
            type = x.attributes().value(QLatin1String("t")).toString();
        } else if (x.isStartElement() && x.name() == QLatin1String("v")) {
            const QString v = x.readElementText();
            if (type == QLatin1String("s"))
                cells.insert(ref, shared.value(v.toInt()));
            else if (type == QLatin1String("str"))
                cells.insert(ref, v);
            else
                cells.insert(ref, v.toDouble());
        } else if (x.isStartElement() && x.name() == QLatin1String("t") && type == QLatin1String("inlineStr")) {
            cells.insert(ref, x.readElementText());
        }
    }
    return cells;
}

}  // namespace xlsxreader
