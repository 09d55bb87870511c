#include "fontfilewriter.h"

namespace {

// Text is handed to the file in blocks of about this size.
constexpr size_t DrainBlock = 1 << 18;

} // namespace

bool FontFileWriter::Drain(Failure *failure, bool all)
{
    if (m_text.empty() || (!all && m_text.size() < DrainBlock))
        return true;
    if (!m_file.Write(m_text.data(), qint64(m_text.size()))) {
        if (failure)
            *failure = m_file.Error();
        return false;
    }
    m_text.clear();
    return true;
}
