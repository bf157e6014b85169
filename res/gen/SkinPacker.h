#pragma once
// Packs painted skin bitmaps into the C++ source that the resource library compiles in (the layout
// of res/SkinData.h).

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

class CSkinPacker {
public:
    // False when the image cannot be packed (null, or zlib failed).
    bool Add(uint32_t id, const QImage& image);
    // One size of an icon, with its alpha; the sizes of one id are added smallest first.
    bool AddIcon(uint32_t id, const QImage& image);
    // Writes the source file through a temporary file, so a failed run leaves no half file behind.
    bool Write(const QString& path) const;

private:
    struct Entry {
        uint32_t id, width, height, offset, size;
    };
    bool Pack(const std::vector<unsigned char>& raw, uint32_t* offset, uint32_t* size);

    std::vector<Entry> m_entries;
    std::vector<Entry> m_icons; // width is the side, height unused
    std::vector<unsigned char> m_blob;
};
