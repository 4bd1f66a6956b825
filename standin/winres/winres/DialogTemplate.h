// RT_DIALOG resources in both layouts: DLGTEMPLATEEX (DIALOGEX, recognised by version 1 and
// signature 0xFFFF) and the classic DLGTEMPLATE (DIALOG). Each item starts on a DWORD boundary
// counted from the start of the template.
#pragma once

#include "ByteReader.h"
#include "ResName.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace winres {

constexpr std::uint32_t kDialogStyleSetFont = 0x40; // DS_SETFONT; DS_SHELLFONT includes it

// Atoms of the predefined window classes that rc stores instead of a class name.
constexpr std::uint16_t kAtomButton = 0x80;
constexpr std::uint16_t kAtomEdit = 0x81;
constexpr std::uint16_t kAtomStatic = 0x82;
constexpr std::uint16_t kAtomListBox = 0x83;
constexpr std::uint16_t kAtomScrollBar = 0x84;
constexpr std::uint16_t kAtomComboBox = 0x85;

struct DialogItem {
    std::uint32_t helpId = 0; // DLGTEMPLATEEX only
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0; // 32 bits in DLGTEMPLATEEX, 16 in DLGTEMPLATE
    ResName windowClass;
    ResName title;
    std::vector<unsigned char> extraData;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0; // DLGTEMPLATEEX only
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResName menu;
    ResName windowClass;
    std::u16string title;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0; // DLGTEMPLATEEX only
    std::uint8_t italic = 0;  // DLGTEMPLATEEX only
    std::uint8_t charset = 0; // DLGTEMPLATEEX only
    std::u16string typeface;
    std::vector<DialogItem> items;
};

// The name of a predefined class atom, or an empty string for any other value.
inline std::u16string PredefinedClassName(std::uint16_t atom) {
    switch (atom) {
    case kAtomButton:
        return u"Button";
    case kAtomEdit:
        return u"Edit";
    case kAtomStatic:
        return u"Static";
    case kAtomListBox:
        return u"ListBox";
    case kAtomScrollBar:
        return u"ScrollBar";
    case kAtomComboBox:
        return u"ComboBox";
    default:
        return std::u16string();
    }
}

// The class of an item as a name: atoms resolve to their predefined class.
inline std::u16string ClassNameOf(const DialogItem& item) {
    return item.windowClass.isOrdinal ? PredefinedClassName(item.windowClass.ordinal)
                                      : item.windowClass.text;
}

namespace detail {

inline bool DialogFail(std::string& error, const std::string& what, std::size_t offset) {
    error = "dialog template is truncated in " + what + " at offset " + std::to_string(offset);
    return false;
}

inline bool ReadRect(ByteReader& reader, std::int16_t& x, std::int16_t& y, std::int16_t& cx,
                     std::int16_t& cy) {
    return reader.ReadI16(x) && reader.ReadI16(y) && reader.ReadI16(cx) && reader.ReadI16(cy);
}

inline bool ReadDialogHeader(ByteReader& reader, DialogTemplate& dialog, std::uint16_t& count) {
    if (dialog.extended) {
        std::uint16_t version = 0, signature = 0;
        if (!reader.ReadU16(version) || !reader.ReadU16(signature) ||
            !reader.ReadU32(dialog.helpId) || !reader.ReadU32(dialog.exStyle) ||
            !reader.ReadU32(dialog.style)) {
            return false;
        }
    } else if (!reader.ReadU32(dialog.style) || !reader.ReadU32(dialog.exStyle)) {
        return false;
    }
    if (!reader.ReadU16(count) || !ReadRect(reader, dialog.x, dialog.y, dialog.cx, dialog.cy) ||
        !ReadResName(reader, dialog.menu) || !ReadResName(reader, dialog.windowClass)) {
        return false;
    }
    return reader.ReadZeroTerminated(dialog.title);
}

inline bool ReadDialogFont(ByteReader& reader, DialogTemplate& dialog) {
    dialog.hasFont = true;
    if (!reader.ReadU16(dialog.pointSize)) {
        return false;
    }
    if (dialog.extended && (!reader.ReadU16(dialog.weight) || !reader.ReadU8(dialog.italic) ||
                            !reader.ReadU8(dialog.charset))) {
        return false;
    }
    return reader.ReadZeroTerminated(dialog.typeface);
}

inline bool ReadItemFixedPart(ByteReader& reader, bool extended, DialogItem& item) {
    if (extended) {
        return reader.ReadU32(item.helpId) && reader.ReadU32(item.exStyle) &&
               reader.ReadU32(item.style) && ReadRect(reader, item.x, item.y, item.cx, item.cy) &&
               reader.ReadU32(item.id);
    }
    std::uint16_t id = 0;
    if (!reader.ReadU32(item.style) || !reader.ReadU32(item.exStyle) ||
        !ReadRect(reader, item.x, item.y, item.cx, item.cy) || !reader.ReadU16(id)) {
        return false;
    }
    item.id = id;
    return true;
}

// The creation data: a 16-bit byte count followed by that many bytes.
inline bool ReadItemExtraData(ByteReader& reader, DialogItem& item) {
    std::uint16_t extraSize = 0;
    const unsigned char* extra = nullptr;
    if (!reader.ReadU16(extraSize) || !reader.ReadBytes(extraSize, extra)) {
        return false;
    }
    item.extraData.assign(extra, extra + extraSize);
    return true;
}

inline bool ReadDialogItem(ByteReader& reader, bool extended, DialogItem& item) {
    return reader.AlignTo(4) && ReadItemFixedPart(reader, extended, item) &&
           ReadResName(reader, item.windowClass) && ReadResName(reader, item.title) &&
           ReadItemExtraData(reader, item);
}

inline bool IsExtendedTemplate(const unsigned char* data, std::size_t size) {
    ByteReader reader(data, size);
    std::uint16_t version = 0, signature = 0;
    return reader.ReadU16(version) && reader.ReadU16(signature) && version == 1 &&
           signature == 0xFFFF;
}

} // namespace detail

inline bool ParseDialogTemplate(const unsigned char* data, std::size_t size, DialogTemplate& dialog,
                                std::string& error) {
    DialogTemplate result;
    result.extended = detail::IsExtendedTemplate(data, size);
    ByteReader reader(data, size);
    std::uint16_t count = 0;
    if (!detail::ReadDialogHeader(reader, result, count)) {
        return detail::DialogFail(error, "the header", reader.Offset());
    }
    if ((result.style & kDialogStyleSetFont) && !detail::ReadDialogFont(reader, result)) {
        return detail::DialogFail(error, "the font", reader.Offset());
    }
    for (std::uint16_t index = 0; index < count; ++index) {
        DialogItem item;
        if (!detail::ReadDialogItem(reader, result.extended, item)) {
            return detail::DialogFail(error, "item " + std::to_string(index), reader.Offset());
        }
        result.items.push_back(std::move(item));
    }
    dialog = std::move(result);
    return true;
}

} // namespace winres
