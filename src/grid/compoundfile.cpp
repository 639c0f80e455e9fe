#include "grid/compoundfile.h"

#include <QtEndian>

#include <vector>

namespace {

constexpr quint32 kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD, kDifatSector = 0xFFFFFFFC;
constexpr int kSector = 512, kEntriesPerSector = kSector / 4, kHeaderDifat = 109;

void put16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void put32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }

QByteArray directoryEntry(const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
    QByteArray e(128, '\0');
    for (int i = 0; i < name.size() && i < 31; ++i) put16(e, i * 2, name[i].unicode());
    put16(e, 64, quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
    e[66] = char(type);
    e[67] = 1;  // black
    put32(e, 68, kFree);
    put32(e, 72, kFree);
    put32(e, 76, child);
    put32(e, 116, start);
    put32(e, 120, size);
    return e;
}

}  // namespace

QByteArray compoundFileWithStream(const QString& streamName, QByteArray stream) {
    if (stream.size() < 4096) stream.append(QByteArray(4096 - stream.size(), '\0'));
    const quint32 streamSize = quint32(stream.size());
    const quint32 streamSectors = (streamSize + kSector - 1) / kSector;
    stream.append(QByteArray(int(streamSectors * kSector - streamSize), '\0'));

    // Sectors: the stream, one directory sector, the FAT, the DIFAT beyond the header's 109.
    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        const quint32 total = streamSectors + 1 + fatSectors + difatSectors;
        const quint32 needFat = (total + kEntriesPerSector - 1) / kEntriesPerSector;
        const quint32 needDifat =
            needFat > kHeaderDifat ? (needFat - kHeaderDifat + kEntriesPerSector - 2) / (kEntriesPerSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors) break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const quint32 directorySector = streamSectors;
    const quint32 firstFat = directorySector + 1;
    const quint32 firstDifat = firstFat + fatSectors;

    std::vector<quint32> fat(fatSectors * kEntriesPerSector, kFree);
    for (quint32 s = 0; s < streamSectors; ++s) fat[s] = s + 1 < streamSectors ? s + 1 : kEndOfChain;
    fat[directorySector] = kEndOfChain;
    for (quint32 f = 0; f < fatSectors; ++f) fat[firstFat + f] = kFatSector;
    for (quint32 d = 0; d < difatSectors; ++d) fat[firstDifat + d] = kDifatSector;

    QByteArray header(kSector, '\0');
    const uchar signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    memcpy(header.data(), signature, 8);
    put16(header, 24, 0x003E);  // minor version
    put16(header, 26, 0x0003);  // major version 3
    put16(header, 28, 0xFFFE);  // little-endian
    put16(header, 30, 9);       // 512-byte sectors
    put16(header, 32, 6);       // 64-byte mini sectors
    put32(header, 44, fatSectors);
    put32(header, 48, directorySector);
    put32(header, 56, 4096);  // mini stream cutoff
    put32(header, 60, kEndOfChain);
    put32(header, 64, 0);
    put32(header, 68, difatSectors ? firstDifat : kEndOfChain);
    put32(header, 72, difatSectors);
    for (int i = 0; i < kHeaderDifat; ++i)
        put32(header, 76 + i * 4, quint32(i) < fatSectors ? firstFat + quint32(i) : kFree);

    QByteArray directory = directoryEntry("Root Entry", 5, 1, kEndOfChain, 0);
    directory += directoryEntry(streamName, 2, kFree, 0, streamSize);
    directory += directoryEntry({}, 0, kFree, 0, 0);
    directory += directoryEntry({}, 0, kFree, 0, 0);

    QByteArray fatBytes(int(fat.size() * 4), '\0');
    for (size_t i = 0; i < fat.size(); ++i) put32(fatBytes, int(i * 4), fat[i]);

    QByteArray difat(int(difatSectors * kSector), '\0');
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (int k = 0; k < kEntriesPerSector - 1; ++k) {
            const quint32 fatIndex = kHeaderDifat + d * (kEntriesPerSector - 1) + quint32(k);
            put32(difat, int(d * kSector + k * 4), fatIndex < fatSectors ? firstFat + fatIndex : kFree);
        }
        put32(difat, int(d * kSector + (kEntriesPerSector - 1) * 4), d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
    }
    return header + stream + directory + fatBytes + difat;
}
