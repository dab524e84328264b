// Damaged skins: containers and bodies changed at random, each refused
// cleanly or loaded whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

#include "StoreFixture.h"
#include "tests/support/Watchdog.h"

namespace {

TEST_F(SkinStore, MutatedContainersNeverLeaveAHalfLoadedSkin) {
    const auto good = MakeContainer(L"fuzz", clBlue);
    LoadBytes(good);
    std::mt19937 rng(1234);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        auto c = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % c.size();
            switch (rng() % 4) {
                case 0: c[at] ^= static_cast<uint8_t>(1 + rng() % 255); break;
                case 1: c.resize(at + 1); break;
                case 2: c.insert(c.begin() + static_cast<long>(at), static_cast<uint8_t>(rng())); break;
                default: c[at] = 0xFF; break;
            }
        }
        log.clear();
        try {
            LoadBytes(c);
        } catch (const Exception&) {
            ++refused;
            ASSERT_TRUE(log.empty());
        }
        ASSERT_FALSE(store->ChangeSkinDataProcess);
        ASSERT_TRUE(log.empty() || log.size() == 9u);
        LoadBytes(good);
    }
    EXPECT_GT(refused, 1000);
}

// ---- mutated containers ----------------------------------------------------------------------------
// These damage the container's own bytes: its version and length, the zlib
// header (kept well-formed most of the time, so that inflating starts), a
// preset dictionary asked for, the deflate blocks, the checksum, and the end
// of the stream.

uint32_t Le32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

class ContainerMutator {
public:
    explicit ContainerMutator(uint32_t seed) : rng_(seed) {}

    // The container holds version, length and at least a zlib header and
    // checksum on entry; so does the result.
    std::vector<uint8_t> Mutate(std::vector<uint8_t> c) {
        const int edits = 1 + static_cast<int>(rng_() % 3);
        for (int e = 0; e < edits; ++e) {
            const size_t z = 8, n = c.size() - z;  // the zlib stream and its size
            bool sized = false;                     // the stream's size changed
            switch (rng_() % 11) {
            case 0: PutLe32(c, 0, Pick<uint32_t>({0, 1, 2, 3, 4, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF})); break;
            case 1:
                PutLe32(c, 4, Pick<uint32_t>({0, 1, 2, 6, static_cast<uint32_t>(n - 1), static_cast<uint32_t>(n + 1),
                                              static_cast<uint32_t>(n * 2), 0x7FFFFFFF, 0xFFFFFFFF}));
                break;
            case 2: Header(c, (rng_() % 4) != 0, (rng_() % 3) == 0); break;
            case 3: {
                // Asks for a dictionary: FDICT set, a dictionary id put in.
                Header(c, true, true);
                const uint32_t id = rng_();
                c.insert(c.begin() + z + 2, {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                                             static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 24)});
                sized = true;
                break;
            }
            case 4:
            case 5:
                // Bits of the deflate data, the block headers most of all.
                if (n > 6) {
                    const size_t at = z + 2 + (rng_() % 2 ? rng_() % 4 : rng_() % (n - 6));
                    c[at] ^= static_cast<uint8_t>(1u << (rng_() % 8));
                }
                break;
            case 6:
                // The first block's type: stored, fixed, dynamic or reserved.
                if (n > 6) c[z + 2] = static_cast<uint8_t>((c[z + 2] & ~6u) | (rng_() % 4) << 1);
                break;
            case 7: {
                // A stored block in place of the deflate data, with a length
                // and its complement that may disagree or overrun.
                const uint16_t len = Pick<uint16_t>({0, 1, 16, 100, 0xFFFF});
                const uint16_t nlen = rng_() % 3 ? static_cast<uint16_t>(~len) : static_cast<uint16_t>(rng_());
                std::vector<uint8_t> block{static_cast<uint8_t>(rng_() % 2), static_cast<uint8_t>(len),
                                           static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(nlen),
                                           static_cast<uint8_t>(nlen >> 8)};
                for (int i = 0, k = static_cast<int>(rng_() % 120); i < k; ++i) block.push_back(static_cast<uint8_t>(rng_()));
                const std::vector<uint8_t> check(c.end() - 4, c.end());
                c.resize(z + 2);
                c.insert(c.end(), block.begin(), block.end());
                c.insert(c.end(), check.begin(), check.end());
                sized = true;
                break;
            }
            case 8: c[c.size() - 1 - rng_() % 4] ^= static_cast<uint8_t>(1 + rng_() % 255); break;  // Adler-32
            case 9:
                // Cut anywhere after the header.
                c.resize(z + 2 + rng_() % (n - 1));
                sized = true;
                break;
            default: {
                // Bytes after the end of the stream.
                const int k = 1 + static_cast<int>(rng_() % 16);
                for (int i = 0; i < k; ++i) c.push_back(static_cast<uint8_t>(rng_()));
                sized = true;
                break;
            }
            }
            // Mostly the length follows the stream; sometimes it does not.
            if (sized && rng_() % 4 != 0) PutLe32(c, 4, static_cast<uint32_t>(c.size() - z));
            if (c.size() < z + 6) c.resize(z + 6, 0);
        }
        return c;
    }

private:
    template <class T>
    T Pick(std::initializer_list<T> v) {
        return *(v.begin() + rng_() % v.size());
    }

    // A new CMF and FLG: method 8 or another, any window size, FDICT as
    // asked, and a header check that holds when `valid`.
    void Header(std::vector<uint8_t>& c, bool valid, bool dict) {
        const uint8_t cmf = static_cast<uint8_t>((rng_() % 8) << 4 | (rng_() % 5 ? 8 : rng_() % 16));
        uint8_t flg = static_cast<uint8_t>((rng_() % 4) << 6 | (dict ? 0x20 : 0));
        const int rest = (cmf * 256 + flg) % 31;
        if (valid) flg = static_cast<uint8_t>(flg + (rest ? 31 - rest : 0));
        else flg = static_cast<uint8_t>(flg + (rest ? 0 : 1));
        c[8] = cmf, c[9] = flg;
    }

    std::mt19937 rng_;
};

TEST_F(SkinStore, MutatedContainersEndInARefusedOrAcceptedLoadInTime) {
    const auto good = MakeContainer(L"zlib", clBlue);
    ASSERT_EQ(Le32At(good, 4), good.size() - 8);
    LoadBytes(good);
    const String kept = SkinText(store);
    ContainerMutator mutator(1950);
    int refused = 0, zlibErrors = 0, ignored = 0, loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        const auto c = mutator.Mutate(good);
        log.clear();
        const ULONGLONG start = GetTickCount64();
        bool threw = false;
        {
            // A load that never returns cannot fail by itself.
            Watchdog watchdog(30000, "a mutated container hangs the skin store");
            try {
                LoadBytes(c);
            } catch (const EDecompressionError& e) {
                threw = true;
                if (e.Message() == L"compression error") ++zlibErrors;
            } catch (const Exception&) {
                threw = true;
            }
        }
        ASSERT_LT(GetTickCount64() - start, 5000u) << round;
        ASSERT_FALSE(store->ChangeSkinDataProcess) << round;
        if (threw) {
            ++refused;
            ASSERT_TRUE(log.empty()) << round;
            ASSERT_EQ(store->SkinName, L"zlib") << round;
            ASSERT_EQ(SkinText(store), kept) << round;
            continue;
        }
        if (log.empty()) {
            ++ignored;  // an empty stored skin: nothing to load
            ASSERT_EQ(SkinText(store), kept) << round;
            continue;
        }
        ++loaded;
        ASSERT_EQ(log.size(), 9u) << round;
        LoadBytes(good);
    }
    // Every outcome happens, and many cases reach zlib itself.
    EXPECT_GT(refused, 1000);
    EXPECT_GT(zlibErrors, 300);
    EXPECT_GT(ignored, 50);
    EXPECT_GT(loaded, 20);
}

// ---- mutated bodies ---------------------------------------------------------------------------------
// The container's checksum refuses a damaged compressed stream before the
// parser sees it, so these tests damage the inflated body itself (picture
// headers, flags, counts and sizes, and the skin text) and compress it again.

// Where the parts of a body lie.
struct BodyLayout {
    std::vector<size_t> flags;     // the flag bytes of the three fixed pictures
    std::vector<size_t> pictures;  // the BMP images
    size_t count = 0;              // the number of further pictures
    size_t text = 0;               // the skin text
};

// Little-endian numbers of a body; reads beyond the end give 0 and writes
// beyond it are dropped, so a damaged body can be walked again.
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    if (at + 4 > b.size()) return 0;
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void PutLe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes && at + i < b.size(); ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

BodyLayout LayoutOf(const std::vector<uint8_t>& b) {
    BodyLayout l;
    size_t pos = 4;
    auto picture = [&] {
        l.pictures.push_back(pos);
        const uint32_t size = Le32(b, pos + 2);
        pos = size >= 14 && size <= b.size() - pos ? pos + size : b.size();
    };
    for (int i = 0; i < 3 && pos < b.size(); ++i) {
        l.flags.push_back(pos);
        if (b[pos++] == 0) picture();
    }
    l.count = pos;
    const uint32_t n = Le32(b, pos);
    pos = std::min(pos + 4, b.size());
    for (uint32_t i = 0; i < n && pos < b.size(); ++i) picture();
    l.text = pos;
    return l;
}

// A skin with a main picture, a one-bit mask and two further pictures.
std::vector<uint8_t> MaskedContainer() {
    auto skin = MakeSkinStore(L"masked", clBlue);
    skin->FMaskName = L"mask.bmp";
    skin->FMask->SetPixelFormat(pf1bit);
    skin->FMask->SetSize(40, 30);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(skin.get());
    TMemoryStream ms;
    stored.SaveToCompressStream(&ms);
    return StreamBytes(ms);
}

class BodyMutator {
public:
    explicit BodyMutator(uint32_t seed) : rng_(seed) {}

    std::vector<uint8_t> Mutate(std::vector<uint8_t> b) {
        const int edits = 1 + static_cast<int>(rng_() % 3);
        for (int e = 0; e < edits; ++e) {
            const BodyLayout l = LayoutOf(b);
            switch (rng_() % 8) {
            case 0:
            case 1: PictureHeader(b, l); break;
            case 2: PictureSize(b, l); break;
            case 3: PutLe(b, l.count, Interesting(Le32(b, l.count)), 4); break;
            case 4:
                if (!l.flags.empty()) b[l.flags[rng_() % l.flags.size()]] = Pick<uint8_t>({0, 1, 2, 0xFF});
                break;
            case 5:
            case 6: Text(b, l); break;
            default: PutLe(b, 0, Pick<uint32_t>({0, 1, 2, 3, 0xFFFFFFFF, 0x80000000}), 4); break;
            }
        }
        return b;
    }

private:
    template <class T>
    T Pick(std::initializer_list<T> v) {
        return *(v.begin() + rng_() % v.size());
    }

    uint32_t Interesting(uint32_t now) {
        return Pick<uint32_t>({0, 1, 2, 8, 40, 54, 255, 0x7FFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                               0xFFFFFFFE, now + 1, now - 1, now * 2, now / 2, static_cast<uint32_t>(rng_())});
    }

    // One field of a file or information header of one picture.
    void PictureHeader(std::vector<uint8_t>& b, const BodyLayout& l) {
        struct Field {
            size_t at;
            int bytes;
        };
        // bfType, bfSize, bfOffBits, biSize, biWidth, biHeight, biPlanes,
        // biBitCount, biCompression, biSizeImage, biClrUsed.
        const Field fields[] = {{0, 2},  {2, 4},  {10, 4}, {14, 4}, {18, 4}, {22, 4},
                                {26, 2}, {28, 2}, {30, 4}, {34, 4}, {46, 4}};
        if (l.pictures.empty()) return;
        const size_t at = l.pictures[rng_() % l.pictures.size()];
        const Field f = fields[rng_() % std::size(fields)];
        uint32_t v = Interesting(Le32(b, at + f.at));
        if (f.at == 28) v = Pick<uint32_t>({0, 1, 2, 4, 8, 15, 16, 24, 32, 64});
        if (f.at == 30) v = Pick<uint32_t>({BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS, BI_JPEG, BI_PNG, 99});
        PutLe(b, at + f.at, v, f.bytes);
    }

    // Bytes taken out of or put into one picture.
    void PictureSize(std::vector<uint8_t>& b, const BodyLayout& l) {
        if (l.pictures.empty()) return;
        const size_t at = l.pictures[rng_() % l.pictures.size()] + rng_() % 80;
        if (at >= b.size()) return;
        const size_t n = 1 + rng_() % 64;
        if (rng_() % 2) b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(std::min(at + n, b.size())));
        else b.insert(b.begin() + static_cast<long>(at), n, static_cast<uint8_t>(rng_()));
    }

    // One line of the skin text: its value replaced, the line dropped or
    // doubled, stray bytes put in, or the text cut.
    void Text(std::vector<uint8_t>& b, const BodyLayout& l) {
        if (l.text >= b.size()) return;
        std::vector<size_t> starts{l.text};
        for (size_t i = l.text; i + 1 < b.size(); ++i)
            if (b[i] == '\n') starts.push_back(i + 1);
        const size_t line = starts[rng_() % starts.size()];
        size_t end = line;
        while (end < b.size() && b[end] != '\r' && b[end] != '\n') ++end;
        switch (rng_() % 5) {
        case 0: {
            size_t eq = line;
            while (eq < end && b[eq] != '=') ++eq;
            if (eq == end) break;
            const std::string v = Pick<const char*>({"", "-", "1,2", "x,y,z,w", "1,,3,4", "99999999999", "-2147483648",
                                                     "0x", "$FFFFFFFF", "1,2,3,4,5,6", "-5,-5,-1,-1", "2147483647",
                                                     ":", "nosuchkind", "a:b:c", "cmnothing"});
            b.erase(b.begin() + static_cast<long>(eq + 1), b.begin() + static_cast<long>(end));
            b.insert(b.begin() + static_cast<long>(eq + 1), v.begin(), v.end());
            break;
        }
        case 1: b.erase(b.begin() + static_cast<long>(line), b.begin() + static_cast<long>(end)); break;
        case 2: {
            const std::vector<uint8_t> copy(b.begin() + static_cast<long>(line), b.begin() + static_cast<long>(end));
            b.insert(b.begin() + static_cast<long>(line), copy.begin(), copy.end());
            b.insert(b.begin() + static_cast<long>(line + copy.size()), {'\r', '\n'});
            break;
        }
        case 3: {
            const size_t at = line + rng_() % (end - line + 1);
            b.insert(b.begin() + static_cast<long>(at),
                     Pick<uint8_t>({0, 0xFF, 0xFE, 0xEF, '[', ']', '=', ':', ',', '\r', '\n'}));
            break;
        }
        default: b.resize(line + rng_() % (end - line + 1)); break;
        }
    }

    std::mt19937 rng_;
};

TEST_F(SkinStore, MutatedBodiesAreRefusedCleanlyOrLoadWhole) {
    const auto good = MaskedContainer();
    const auto body = BodyOfContainer(good);
    const BodyLayout layout = LayoutOf(body);
    ASSERT_EQ(layout.pictures.size(), 4u);  // main picture, mask, two further pictures
    ASSERT_EQ(Le32(body, layout.count), 2u);
    ASSERT_EQ(body[layout.text], '[');

    LoadBytes(good);
    const String kept = SkinText(store);
    BodyMutator mutator(2024);
    int refused = 0, loaded = 0;
    for (int round = 0; round < 1500; ++round) {
        const auto mutated = mutator.Mutate(body);
        log.clear();
        try {
            LoadBytes(ContainerOfBody(mutated));
        } catch (const Exception&) {
            ++refused;
            ASSERT_TRUE(log.empty()) << round;
            ASSERT_FALSE(store->ChangeSkinDataProcess) << round;
            ASSERT_EQ(store->SkinName, L"masked") << round;
            ASSERT_EQ(store->FActivePictures.size(), 2u) << round;
            ASSERT_EQ(store->FMask->Width(), 40) << round;
            ASSERT_EQ(SkinText(store), kept) << round;
            continue;
        }
        ++loaded;
        ASSERT_EQ(log.size(), 9u) << round;
        ASSERT_FALSE(store->ChangeSkinDataProcess) << round;
        for (const auto& bmp : store->FActivePictures) ASSERT_TRUE(bmp) << round;
        SkinText(store);  // every record of what was loaded can be written out
        LoadBytes(good);
    }
    // Both outcomes are common: the mutations reach the parser, and not every
    // change is fatal.
    EXPECT_GT(refused, 300);
    EXPECT_GT(loaded, 300);
}

}  // namespace
