#include "scriptconvert.h"

#include "cp936.h"

#include <opencc.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

// One loaded OpenCC configuration.
class OpenccConverter
{
public:
    explicit OpenccConverter(const std::string &config) : m_handle(opencc_open(config.c_str()))
    {
        if (!Valid()) {
            const char *reason = opencc_error();
            m_error = {FailureCode::OpenccLoad, QString::fromStdString(config),
                       QString::fromUtf8(reason ? reason : "unknown error"), {}};
        }
    }
    ~OpenccConverter()
    {
        if (Valid())
            opencc_close(m_handle);
    }
    OpenccConverter(const OpenccConverter &) = delete;
    OpenccConverter &operator=(const OpenccConverter &) = delete;

    bool Valid() const { return m_handle != reinterpret_cast<opencc_t>(-1); }
    const Failure &Error() const { return m_error; }

    // UTF-8 in, UTF-8 out; nullopt when OpenCC fails.
    std::optional<std::string> Convert(std::string_view utf8) const
    {
        char *converted = opencc_convert_utf8(m_handle, utf8.data(), utf8.size());
        if (!converted)
            return std::nullopt;
        std::string result(converted);
        opencc_convert_utf8_free(converted);
        return result;
    }

private:
    opencc_t m_handle;
    Failure m_error;
};

// OpenCC keeps its last error in one global, so loading and converting go one at a time.
std::mutex &OpenccMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The converter of a configuration, loaded on first use. Call with OpenccMutex held.
const OpenccConverter &ConverterFor(const std::string &config)
{
    static std::map<std::string, std::unique_ptr<OpenccConverter>> converters;
    std::unique_ptr<OpenccConverter> &converter = converters[config];
    if (!converter)
        converter = std::make_unique<OpenccConverter>(config);
    return *converter;
}

// The code page 936 character that one converted UTF-8 character stands for; empty when the
// conversion is not exactly one character with a code.
std::string SingleCode(std::string_view convertedUtf8)
{
    const std::vector<std::string> codes = Utf8ToCp936Chars(convertedUtf8);
    return codes.size() == 1 ? codes.front() : std::string();
}

// Converts the characters [begin, end) of chars (their UTF-8 forms in utf8) into converted. The
// run goes to OpenCC whole; when that changes the number of characters, each character goes
// alone so every output still lines up with its input. False when OpenCC fails.
bool ConvertRun(const OpenccConverter &converter, const std::vector<std::string> &utf8, size_t begin, size_t end,
                std::vector<std::string> &converted)
{
    std::string run;
    for (size_t i = begin; i < end; ++i)
        run += utf8[i];
    const std::optional<std::string> whole = converter.Convert(run);
    if (!whole)
        return false;
    const std::vector<std::string> codes = Utf8ToCp936Chars(*whole);
    if (codes.size() == end - begin) {
        for (size_t i = begin; i < end; ++i)
            if (!codes[i - begin].empty())
                converted[i] = codes[i - begin];
        return true;
    }
    for (size_t i = begin; i < end; ++i) {
        const std::optional<std::string> one = converter.Convert(utf8[i]);
        if (!one)
            return false;
        if (std::string code = SingleCode(*one); !code.empty())
            converted[i] = std::move(code);
    }
    return true;
}

} // namespace

ScriptConversion ConvertScript(std::string_view text, const std::string &openccConfig)
{
    ScriptConversion result{std::string(text), {}};
    const std::lock_guard lock(OpenccMutex());
    const OpenccConverter &converter = ConverterFor(openccConfig);
    if (!converter.Valid()) {
        result.Error = converter.Error();
        return result;
    }

    std::vector<std::string> converted = SplitChars(text);
    const std::vector<std::string> utf8 = Cp936ToUtf8Chars(text);
    const auto convertible = [&](size_t i) {
        return converted[i].size() == 2 && utf8[i] != ReplacementCharacter;
    };
    for (size_t begin = 0; begin < converted.size();) {
        if (!convertible(begin)) {
            ++begin;
            continue;
        }
        size_t end = begin + 1;
        while (end < converted.size() && convertible(end))
            ++end;
        if (!ConvertRun(converter, utf8, begin, end, converted)) {
            result.Error = {FailureCode::OpenccConvert, QString::fromStdString(openccConfig), {}, {}};
            return result;
        }
        begin = end;
    }

    result.Text.clear();
    for (const std::string &ch : converted)
        result.Text += ch;
    return result;
}

ScriptConversion ToTraditional(std::string_view text)
{
    return ConvertScript(text, "s2t.json");
}

ScriptConversion ToSimplified(std::string_view text)
{
    return ConvertScript(text, "t2s.json");
}
