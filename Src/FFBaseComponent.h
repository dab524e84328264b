#pragma once
// Common ancestor of the engine's components and the enumerations several of
// them share.
//
// The engine's components are class-library components (platform/Classes.h):
// an owner frees them, they have a name, a tag and free notification. A
// component owned by another one must be made with new; the owner frees it.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/Classes.h"

class TFFBaseComponent : public TComponent {
public:
    explicit TFFBaseComponent(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    // True while a form designer edits the component; never at run time.
    bool Designing() const { return Has(csDesigning); }
};

// Picture types with the library's codes (0 unknown .. 7 BI).
enum TPictureType { ptUnknown, ptI, ptP, ptB, ptS, ptSI, ptSP, ptBI };

// Maps a library picture type code; codes outside 0..7 give ptUnknown.
inline TPictureType PictureTypeFromCode(int ACode) {
    return ACode >= 0 && ACode <= 7 ? static_cast<TPictureType>(ACode) : ptUnknown;
}

// Seek flags; a set's bit pattern is the library's seek flags unchanged.
enum TSeekFlag { sfBackward, sfByte, sfAny, sfFrame };

class TSeekFlags {
public:
    constexpr TSeekFlags() = default;
    constexpr TSeekFlags(std::initializer_list<TSeekFlag> AFlags) {
        for (TSeekFlag f : AFlags) FBits |= 1 << f;
    }
    constexpr bool Contains(TSeekFlag AFlag) const { return FBits & (1 << AFlag); }
    constexpr TSeekFlags With(TSeekFlag AFlag) const { return FromBits(FBits | (1 << AFlag)); }
    constexpr TSeekFlags Without(TSeekFlag AFlag) const { return FromBits(FBits & ~(1 << AFlag)); }
    // The library's seek flags (AVSEEK_FLAG_BACKWARD = 1, BYTE = 2, ANY = 4, FRAME = 8).
    constexpr int LibFlags() const { return FBits; }

private:
    static constexpr TSeekFlags FromBits(int ABits) {
        TSeekFlags f;
        f.FBits = ABits;
        return f;
    }
    int FBits = 0;
};
