#include "Deflate.h"

#include <algorithm>
#include <array>

namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    // Bits go out least significant first.
    void Put(uint32_t bits, int count)
    {
        for (int i = 0; i < count; ++i) {
            if ((bits >> i) & 1u) current_ |= static_cast<uint8_t>(1u << used_);
            if (++used_ == 8) Flush();
        }
    }

    // Huffman codes go out most significant bit first.
    void PutCode(uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i) Put((code >> i) & 1u, 1);
    }

    void Finish()
    {
        if (used_ > 0) Flush();
    }

private:
    void Flush()
    {
        out_.push_back(current_);
        current_ = 0;
        used_ = 0;
    }

    std::vector<uint8_t>& out_;
    uint8_t current_ = 0;
    int used_ = 0;
};

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                               33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr int kMaxChain = 48;

uint32_t Hash(const uint8_t* p)
{
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1u << kHashBits) - 1);
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

namespace {

// One LZ77 output: a literal byte, or a match of length (3..258) at distance.
struct Token {
    uint16_t literalOrLength;
    uint16_t distance;  // 0 for a literal
};

std::vector<Token> FindMatches(const std::vector<uint8_t>& data)
{
    const int n = static_cast<int>(data.size());
    std::vector<int> head(1u << kHashBits, -1);
    std::vector<int> previous(n, -1);
    auto insert = [&](int pos) {
        if (pos + kMinMatch > n) return;
        const uint32_t h = Hash(&data[pos]);
        previous[pos] = head[h];
        head[h] = pos;
    };
    auto longest = [&](int pos, int& distance) {
        int best = 0;
        if (pos + kMinMatch > n) return 0;
        const int limit = std::min(kMaxMatch, n - pos);
        int candidate = head[Hash(&data[pos])];
        for (int chain = 0; candidate >= 0 && pos - candidate <= kWindow && chain < kMaxChain; ++chain) {
            int length = 0;
            while (length < limit && data[candidate + length] == data[pos + length]) ++length;
            if (length > best) {
                best = length;
                distance = pos - candidate;
                if (length == limit) break;
            }
            candidate = previous[candidate];
        }
        return best;
    };

    std::vector<Token> tokens;
    int pos = 0;
    while (pos < n) {
        int distance = 0;
        int length = longest(pos, distance);
        if (length >= kMinMatch && length < kMaxMatch && pos + 1 < n) {
            // Lazy step: a longer match one byte later wins over this one.
            insert(pos);
            int laterDistance = 0;
            const int later = longest(pos + 1, laterDistance);
            if (later > length) {
                tokens.push_back({data[pos], 0});
                ++pos;
                length = later;
                distance = laterDistance;
            } else {
                for (int i = 1; i < length; ++i) insert(pos + i);
                tokens.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(distance)});
                pos += length;
                continue;
            }
        }
        if (length >= kMinMatch) {
            for (int i = 0; i < length; ++i) insert(pos + i);
            tokens.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(distance)});
            pos += length;
        } else {
            insert(pos);
            tokens.push_back({data[pos], 0});
            ++pos;
        }
    }
    return tokens;
}

int LengthSymbolIndex(int length)
{
    int li = 28;
    while (kLengthBase[li] > length) --li;
    return li;
}

int DistanceSymbol(int distance)
{
    int di = 29;
    while (kDistanceBase[di] > distance) --di;
    return di;
}

// Huffman code lengths no longer than limit, ties broken by symbol order so the
// result never depends on the library. Symbols of frequency 0 get length 0.
std::vector<int> CodeLengths(std::vector<uint32_t> frequencies, int limit)
{
    const size_t n = frequencies.size();
    for (;;) {
        struct Node {
            uint64_t weight;
            int left, right;  // -1 for leaves
            int symbol;
        };
        std::vector<Node> nodes;
        std::vector<int> live;
        for (size_t i = 0; i < n; ++i) {
            if (frequencies[i] == 0) continue;
            nodes.push_back({frequencies[i], -1, -1, static_cast<int>(i)});
            live.push_back(static_cast<int>(nodes.size()) - 1);
        }
        std::vector<int> lengths(n, 0);
        if (live.empty()) return lengths;
        if (live.size() == 1) {
            lengths[nodes[live[0]].symbol] = 1;
            return lengths;
        }
        while (live.size() > 1) {
            // The two lightest live nodes; the earlier one wins a tie.
            std::stable_sort(live.begin(), live.end(),
                             [&](int a, int b) { return nodes[a].weight < nodes[b].weight; });
            const int a = live[0], b = live[1];
            nodes.push_back({nodes[a].weight + nodes[b].weight, a, b, -1});
            live.erase(live.begin(), live.begin() + 2);
            live.push_back(static_cast<int>(nodes.size()) - 1);
        }
        int deepest = 0;
        std::vector<std::pair<int, int>> stack = {{live[0], 0}};
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            if (nodes[node].left < 0) {
                lengths[nodes[node].symbol] = depth;
                deepest = std::max(deepest, depth);
            } else {
                stack.push_back({nodes[node].left, depth + 1});
                stack.push_back({nodes[node].right, depth + 1});
            }
        }
        if (deepest <= limit) return lengths;
        // Too deep: flatten the distribution and try again.
        for (uint32_t& f : frequencies) {
            if (f > 0) f = (f + 1) / 2;
        }
    }
}

// Canonical codes for code lengths (RFC 1951, 3.2.2).
std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths)
{
    int maxLength = 0;
    for (int l : lengths) maxLength = std::max(maxLength, l);
    std::vector<int> count(maxLength + 1, 0);
    for (int l : lengths) {
        if (l > 0) ++count[l];
    }
    std::vector<uint32_t> next(maxLength + 2, 0);
    uint32_t code = 0;
    for (int bits = 1; bits <= maxLength; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<uint32_t> codes(lengths.size(), 0);
    for (size_t i = 0; i < lengths.size(); ++i) {
        if (lengths[i] > 0) codes[i] = next[lengths[i]]++;
    }
    return codes;
}

struct CodeLengthToken {
    int symbol;  // 0..18
    int extra;
};

// Run-length form of the code lengths with the repeat symbols 16, 17 and 18.
std::vector<CodeLengthToken> RunLengths(const std::vector<int>& lengths)
{
    std::vector<CodeLengthToken> out;
    size_t i = 0;
    while (i < lengths.size()) {
        const int value = lengths[i];
        size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == value) ++run;
        size_t left = run;
        if (value == 0) {
            while (left >= 11) {
                const size_t take = std::min<size_t>(left, 138);
                out.push_back({18, static_cast<int>(take - 11)});
                left -= take;
            }
            if (left >= 3) {
                out.push_back({17, static_cast<int>(left - 3)});
                left = 0;
            }
        } else {
            out.push_back({value, 0});
            --left;
            while (left >= 3) {
                const size_t take = std::min<size_t>(left, 6);
                out.push_back({16, static_cast<int>(take - 3)});
                left -= take;
            }
        }
        for (; left > 0; --left) out.push_back({value, 0});
        i += run;
    }
    return out;
}

}  // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data)
{
    const std::vector<Token> tokens = FindMatches(data);

    std::vector<uint32_t> literalFrequencies(286, 0), distanceFrequencies(30, 0);
    for (const Token& t : tokens) {
        if (t.distance == 0) {
            ++literalFrequencies[t.literalOrLength];
        } else {
            ++literalFrequencies[257 + LengthSymbolIndex(t.literalOrLength)];
            ++distanceFrequencies[DistanceSymbol(t.distance)];
        }
    }
    ++literalFrequencies[256];
    std::vector<int> literalLengths = CodeLengths(literalFrequencies, 15);
    std::vector<int> distanceLengths = CodeLengths(distanceFrequencies, 15);
    // A block without matches still describes one distance code.
    if (std::all_of(distanceLengths.begin(), distanceLengths.end(), [](int l) { return l == 0; })) {
        distanceLengths[0] = 1;
    }
    const std::vector<uint32_t> literalCodes = CanonicalCodes(literalLengths);
    const std::vector<uint32_t> distanceCodes = CanonicalCodes(distanceLengths);

    int literalCount = 286;
    while (literalCount > 257 && literalLengths[literalCount - 1] == 0) --literalCount;
    int distanceCount = 30;
    while (distanceCount > 1 && distanceLengths[distanceCount - 1] == 0) --distanceCount;

    std::vector<int> allLengths(literalLengths.begin(), literalLengths.begin() + literalCount);
    allLengths.insert(allLengths.end(), distanceLengths.begin(), distanceLengths.begin() + distanceCount);
    const std::vector<CodeLengthToken> runs = RunLengths(allLengths);
    std::vector<uint32_t> runFrequencies(19, 0);
    for (const CodeLengthToken& r : runs) ++runFrequencies[r.symbol];
    const std::vector<int> runLengths = CodeLengths(runFrequencies, 7);
    const std::vector<uint32_t> runCodes = CanonicalCodes(runLengths);
    static constexpr std::array<int, 19> kRunOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    int runCount = 19;
    while (runCount > 4 && runLengths[kRunOrder[runCount - 1]] == 0) --runCount;

    std::vector<uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window
    BitWriter w(out);
    w.Put(1, 1);  // final block
    w.Put(2, 2);  // dynamic Huffman codes
    w.Put(static_cast<uint32_t>(literalCount - 257), 5);
    w.Put(static_cast<uint32_t>(distanceCount - 1), 5);
    w.Put(static_cast<uint32_t>(runCount - 4), 4);
    for (int i = 0; i < runCount; ++i) w.Put(static_cast<uint32_t>(runLengths[kRunOrder[i]]), 3);
    for (const CodeLengthToken& r : runs) {
        w.PutCode(runCodes[r.symbol], runLengths[r.symbol]);
        if (r.symbol == 16) w.Put(static_cast<uint32_t>(r.extra), 2);
        if (r.symbol == 17) w.Put(static_cast<uint32_t>(r.extra), 3);
        if (r.symbol == 18) w.Put(static_cast<uint32_t>(r.extra), 7);
    }

    for (const Token& t : tokens) {
        if (t.distance == 0) {
            w.PutCode(literalCodes[t.literalOrLength], literalLengths[t.literalOrLength]);
            continue;
        }
        const int li = LengthSymbolIndex(t.literalOrLength);
        w.PutCode(literalCodes[257 + li], literalLengths[257 + li]);
        w.Put(static_cast<uint32_t>(t.literalOrLength - kLengthBase[li]), kLengthExtra[li]);
        const int di = DistanceSymbol(t.distance);
        w.PutCode(distanceCodes[di], distanceLengths[di]);
        w.Put(static_cast<uint32_t>(t.distance - kDistanceBase[di]), kDistanceExtra[di]);
    }
    w.PutCode(literalCodes[256], literalLengths[256]);
    w.Finish();

    const uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(adler >> shift));
    return out;
}
