#pragma once
// One row of a TMlb2: all values in a single block, so a table of many rows costs one
// allocation per row and rows move by pointer. Layout: count, the end offset of each value,
// then the value bytes back to back.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TableRow {
public:
    TableRow() = default;
    // A row of `count` empty values.
    explicit TableRow(std::size_t count) { build(count, {}, nullptr, 0); }
    // A row from parsed parts: `ends[i]` is the end of value i in `bytes`, for i < parts;
    // values from `parts` up to `count` are empty.
    TableRow(std::size_t count, std::string_view bytes, const std::uint32_t* ends, std::size_t parts) {
        build(count, bytes, ends, parts);
    }
    TableRow(const TableRow& o) { *this = o; }
    TableRow& operator=(const TableRow& o) {
        if (this != &o) {
            const std::size_t n = o.blockSize();
            m_block.reset(n ? new char[n] : nullptr);
            if (n) std::memcpy(m_block.get(), o.m_block.get(), n);
        }
        return *this;
    }
    TableRow(TableRow&&) noexcept = default;
    TableRow& operator=(TableRow&&) noexcept = default;

    std::size_t size() const { return m_block ? header(0) : 0; }

    std::string_view operator[](std::size_t i) const {
        const std::uint32_t begin = i == 0 ? 0 : header(i);
        return {bytesBegin() + begin, header(i + 1) - begin};
    }

    // Every value's bytes back to back, without separators.
    std::string_view bytes() const {
        const std::size_t n = size();
        return n ? std::string_view(bytesBegin(), header(n)) : std::string_view();
    }

    void set(std::size_t i, std::string_view value) {
        replace(size(), [&](std::size_t k) { return k == i ? value : (*this)[k]; });
    }
    void appendEmpty() {
        const std::size_t n = size();
        replace(n + 1, [&](std::size_t k) { return k < n ? (*this)[k] : std::string_view(); });
    }
    void erase(std::size_t i) {
        replace(size() - 1, [&](std::size_t k) { return (*this)[k < i ? k : k + 1]; });
    }

private:
    std::uint32_t header(std::size_t i) const {
        std::uint32_t v;
        std::memcpy(&v, m_block.get() + 4 * i, 4);
        return v;
    }
    const char* bytesBegin() const { return m_block.get() + 4 * (size() + 1); }
    std::size_t blockSize() const { return m_block ? 4 * (size() + 1) + (size() ? header(size()) : 0) : 0; }

    void build(std::size_t count, std::string_view bytes, const std::uint32_t* ends, std::size_t parts) {
        const std::size_t used = parts ? ends[parts - 1] : 0;
        const std::size_t n = 4 * (count + 1) + used;
        m_block.reset(new char[n]);
        const auto c = static_cast<std::uint32_t>(count);
        std::memcpy(m_block.get(), &c, 4);
        for (std::size_t i = 0; i < count; ++i) {
            const auto e = static_cast<std::uint32_t>(i < parts ? ends[i] : used);
            std::memcpy(m_block.get() + 4 * (i + 1), &e, 4);
        }
        if (used) std::memcpy(m_block.get() + 4 * (count + 1), bytes.data(), used);
    }

    template <typename ValueOf> void replace(std::size_t count, ValueOf valueOf) {
        std::string bytes;
        auto ends = std::make_unique<std::uint32_t[]>(count ? count : 1);
        for (std::size_t k = 0; k < count; ++k) {
            bytes += valueOf(k);
            ends[k] = static_cast<std::uint32_t>(bytes.size());
        }
        build(count, bytes, ends.get(), count);
    }

    std::unique_ptr<char[]> m_block;
};
