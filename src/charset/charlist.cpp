#include "charlist.h"

#include "cp936.h"
#include "pinyin.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <vector>

namespace {

// The characters a list operation has already put into its output. The output is whole
// characters appended one after another, so "the output contains ch" (whole-character search) is
// exactly "ch was appended before": one bit per character code answers it without searching.
class SeenChars
{
public:
    // True the first time a character is offered, false for every repeat.
    bool Insert(std::string_view ch)
    {
        const size_t key = ch.size() == 2 ? (size_t(static_cast<unsigned char>(ch[0])) << 8)
                                                | static_cast<unsigned char>(ch[1])
                                          : static_cast<unsigned char>(ch[0]);
        if (m_seen.test(key))
            return false;
        m_seen.set(key);
        return true;
    }

private:
    std::bitset<0x10000> m_seen; // one-byte characters below 0x100, two-byte ones at 0x8100 up
};

bool IsLineBreak(std::string_view ch)
{
    return ch == "\n" || ch == "\r";
}

// A lead byte with nothing after it: a character of its own that would pair with whatever byte
// came to follow it.
bool IsLoneLeadByte(std::string_view ch)
{
    return ch.size() == 1 && IsLeadByte(static_cast<unsigned char>(ch[0]));
}


// Counts of small integers with prefix sums and "k-th counted" in O(log n) (a Fenwick tree).
class CountTree
{
public:
    explicit CountTree(size_t size) : m_tree(size + 1, 0) {}

    void Add(size_t index, int delta = 1)
    {
        for (size_t i = index + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] += delta;
    }
    // How many counted indexes are at most index.
    size_t CountUpTo(size_t index) const
    {
        int count = 0;
        for (size_t i = index + 1; i > 0; i -= i & (~i + 1))
            count += m_tree[i];
        return size_t(count);
    }
    // The smallest index with CountUpTo(index) == k + 1: the (k+1)-th counted index.
    size_t FindNth(size_t k) const
    {
        size_t position = 0;
        size_t step = 1;
        while (step * 2 < m_tree.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (position + step < m_tree.size() && size_t(m_tree[position + step]) <= k) {
                position += step;
                k -= size_t(m_tree[position]);
            }
        }
        return position;
    }

private:
    std::vector<int> m_tree;
};

// The order in which the pane's bubble sort leaves the characters of one reading (the members).
//
// The sort runs passes p = 1..n-1 over positions 0..n-p, swapping neighbours whenever the left
// reading is greater than or equal to the right one. Smaller readings never change the members'
// order, so look only at the members and at the characters with a greater reading. While greater
// characters remain unsorted, each pass takes one of them to the end for good: counting members
// only, the first greater character drops out and the members behind it close up on the ones in
// front. Among the members only the first can move, and only when nothing but smaller characters
// stands before it: it is carried behind the other members in front of the first greater
// character. So those members form a queue: each pass moves its front to its back, then the
// members up to the next greater character join at its back. With no greater character left, each
// pass carries the queue's front to the end of the unsorted part, so the members finish in the
// reverse of their queue order.
//
// The queue is kept as a cycle with a front pointer, which needs only the position at which each
// member joins; the cycle is built afterwards by placing the members backwards, each into the free
// slot its position names.
std::vector<size_t> OrderOfEqualReadings(const std::vector<size_t> &group, const std::vector<size_t> &greaterBefore,
                                         size_t greater)
{
    std::vector<size_t> joinAt;
    joinAt.reserve(group.size());
    size_t size = 0;
    size_t front = 0;
    size_t pass = 0;
    for (size_t index : group) {
        if (greaterBefore[index] > pass) { // passes up to this one each move the front back
            if (size > 0)
                front = (front + (greaterBefore[index] - pass)) % size;
            pass = greaterBefore[index];
        }
        joinAt.push_back(front); // behind the back of the queue: just before its front
        ++front;
        ++size;
    }
    if (size == 0)
        return {};
    front = (front + (greater - pass)) % size;

    std::vector<size_t> cycle(size);
    CountTree free(size);
    for (size_t slot = 0; slot < size; ++slot)
        free.Add(slot);
    for (size_t j = size; j-- > 0;) {
        const size_t slot = free.FindNth(joinAt[j]);
        cycle[slot] = group[j];
        free.Add(slot, -1);
    }

    std::vector<size_t> order(size);
    for (size_t j = 0; j < size; ++j)
        order[j] = cycle[(front + size - 1 - j) % size];
    return order;
}

} // namespace

CharList RemoveDuplicates(std::string_view list)
{
    CharList result;
    result.Text.reserve(list.size());
    SeenChars seen;
    for (size_t pos = 0, len; (len = CharLengthAt(list, pos)) != 0; pos += len) {
        const std::string_view ch = list.substr(pos, len);
        if (IsLineBreak(ch) || !seen.Insert(ch))
            continue;
        result.Text += ch;
        ++result.Count;
    }
    return result;
}

CharList FilterSingleByte(std::string_view list)
{
    CharList result;
    SeenChars seen;
    for (size_t pos = 0, len; (len = CharLengthAt(list, pos)) != 0; pos += len) {
        const std::string_view ch = list.substr(pos, len);
        if (len != 2 || !seen.Insert(ch) || GetPinyin(ch, false).empty())
            continue;
        result.Text += ch;
        ++result.Count;
    }
    return result;
}

std::string SortSingleBytes(std::string_view singleBytes)
{
    std::array<size_t, 256> counts{};
    for (const char byte : singleBytes)
        ++counts[static_cast<unsigned char>(byte)];
    std::string sorted;
    sorted.reserve(singleBytes.size());
    for (size_t byte = 0; byte < counts.size(); ++byte)
        sorted.append(counts[byte], char(byte));
    return sorted;
}

std::string SortByPinyin(std::string_view twoBytes)
{
    const std::vector<std::string> chars = SplitChars(twoBytes);
    std::vector<std::string> readings;
    readings.reserve(chars.size());
    for (const std::string &ch : chars)
        readings.push_back(GetPinyin(ch, false));
    std::vector<std::string> distinct = readings;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());

    // Every character's reading rank, the characters of each rank in list order, and for each
    // character the number of characters with a greater reading before it.
    std::vector<std::vector<size_t>> members(distinct.size());
    std::vector<size_t> greaterBefore(chars.size());
    CountTree seen(distinct.size());
    for (size_t i = 0; i < chars.size(); ++i) {
        const size_t rank = size_t(std::lower_bound(distinct.begin(), distinct.end(), readings[i]) - distinct.begin());
        members[rank].push_back(i);
        greaterBefore[i] = i - seen.CountUpTo(rank);
        seen.Add(rank);
    }

    std::string sorted;
    sorted.reserve(twoBytes.size());
    size_t greater = chars.size();
    for (const std::vector<size_t> &group : members) {
        greater -= group.size();
        for (size_t index : OrderOfEqualReadings(group, greaterBefore, greater))
            sorted += chars[index];
    }
    return sorted;
}

CharList SortList(std::string_view list, int count)
{
    std::string singleBytes;
    std::string twoBytes;
    std::string_view loneLeadByte;
    for (size_t pos = 0, len; (len = CharLengthAt(list, pos)) != 0; pos += len) {
        const std::string_view ch = list.substr(pos, len);
        if (len == 2)
            twoBytes += ch;
        else if (IsLoneLeadByte(ch))
            loneLeadByte = ch; // only ever the last character
        else
            singleBytes += ch;
    }
    CharList result{SortSingleBytes(singleBytes), count};
    result.Text += SortByPinyin(twoBytes);
    result.Text += loneLeadByte;
    return result;
}

CharList AddTypedCharacter(std::string_view list, int count, std::string_view ch)
{
    const bool oneWholeChar = !ch.empty() && CharLengthAt(ch, 0) == ch.size() && !IsLoneLeadByte(ch);
    if (!oneWholeChar || ContainsChar(list, ch))
        return {std::string(list), count};
    return {std::string(list) + std::string(ch), count + 1};
}
