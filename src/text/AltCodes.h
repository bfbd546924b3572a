#pragma once
// Characters with more than one code. Windows reads NEC's and IBM's copies of
// some characters (髙 as EEE0 beside FBFC, ≒ as 8790 beside 81E0) but writes
// only one of them. Reading a document notes which codes it used, so that
// saving writes each such character as the document did.
#include "text/Conversion.h"

#include <QHash>
#include <QList>
#include <QStringView>

#include <cstdint>

// Collects the alternative codes a decoder meets, then weighs them against the
// usual code: each character takes the code the document used most often, the
// usual one when there is a tie.
class AltCodeTally
{
public:
    // ch was read from `code` at `index` in the text.
    void seen(char16_t ch, std::uint32_t code, qsizetype index)
    {
        ++m_counts[{ch, code}];
        m_places.push_back({index, code});
    }
    bool empty() const { return m_counts.isEmpty(); }
    // text: the whole decoded text, to count the characters written with their
    // usual code.
    AltCodeChoice choose(QStringView text) const;
    // The choice, and the places, into a decoding's result.
    void into(DecodedText &result) const
    {
        if (m_counts.isEmpty())
            return;
        result.altCodes = choose(result.text);
        result.codesRead = m_places;
    }

private:
    struct Key
    {
        char16_t ch;
        std::uint32_t code;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &k, size_t seed) { return qHashMulti(seed, k.ch, k.code); }
    QHash<Key, qsizetype> m_counts;
    CodesAt m_places;
};
