#include "framework/text/Format.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/Utf8.h"

namespace dsp {

namespace {

struct Directive {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

class Formatter {
public:
    Formatter(std::string_view format, std::initializer_list<TFormatArg> args)
        : format_(format), args_(args.begin()), count_(args.size()) {}

    std::string Run() {
        std::string out;
        std::size_t i = 0;
        while (i < format_.size()) {
            const std::size_t percent = format_.find('%', i);
            if (percent == std::string_view::npos) {
                out.append(format_.substr(i));
                break;
            }
            out.append(format_.substr(i, percent - i));
            i = percent + 1;
            if (i < format_.size() && format_[i] == '%') {
                out.push_back('%');
                ++i;
                continue;
            }
            Directive directive = Parse(i);
            out += Convert(directive);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + std::string(format_) +
                            "' invalid or incompatible with argument");
    }

    const TFormatArg& Next() {
        if (argIndex_ >= count_) {
            throw EConvertError("No argument for format '" + std::string(format_) + "'");
        }
        return args_[argIndex_++];
    }

    int Number(std::size_t& i) {
        if (i < format_.size() && format_[i] == '*') {
            ++i;
            const TFormatArg& a = Next();
            if (a.ArgKind() == TFormatArg::Signed) return static_cast<int>(a.AsSigned());
            if (a.ArgKind() == TFormatArg::Unsigned) return static_cast<int>(a.AsUnsigned());
            Invalid();
        }
        int n = 0;
        bool any = false;
        while (i < format_.size() && format_[i] >= '0' && format_[i] <= '9') {
            n = std::min(n * 10 + (format_[i] - '0'), 100000);
            ++i;
            any = true;
        }
        return any ? n : -1;
    }

    Directive Parse(std::size_t& i) {
        Directive directive;
        // An argument index: digits followed by ':'.
        std::size_t j = i;
        while (j < format_.size() && format_[j] >= '0' && format_[j] <= '9') ++j;
        if (j > i && j < format_.size() && format_[j] == ':') {
            argIndex_ = static_cast<std::size_t>(std::stoul(std::string(format_.substr(i, j - i))));
            i = j + 1;
        }
        for (; i < format_.size(); ++i) {
            const char c = format_[i];
            if (c == '-') {
                directive.left = true;
            } else if (c == '0') {
                directive.zero = true;
            } else if (c == '+') {
                directive.plus = true;
            } else if (c == ' ') {
                directive.space = true;
            } else {
                break;
            }
        }
        directive.width = Number(i);
        if (directive.width < -1) {  // a negative width from "*" means left-justified
            directive.left = true;
            directive.width = -directive.width;
        }
        if (i < format_.size() && format_[i] == '.') {
            ++i;
            directive.precision = std::max(Number(i), 0);
        }
        if (i >= format_.size()) Invalid();
        directive.conversion = format_[i++];
        return directive;
    }

    static std::string WithSign(std::string digits, bool negative, const Directive& directive) {
        if (negative) return "-" + digits;
        if (directive.plus) return "+" + digits;
        if (directive.space) return " " + digits;
        return digits;
    }

    static std::string MinDigits(std::string digits, int precision) {
        if (precision > static_cast<int>(digits.size())) {
            digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
        }
        return digits;
    }

    std::uint64_t UnsignedBits(const TFormatArg& a) {
        if (a.ArgKind() == TFormatArg::Unsigned) return a.AsUnsigned();
        if (a.ArgKind() != TFormatArg::Signed) Invalid();
        const std::int64_t v = a.AsSigned();
        if (v < 0 && v >= std::numeric_limits<std::int32_t>::min()) {
            return static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
        }
        return static_cast<std::uint64_t>(v);
    }

    double FloatOf(const TFormatArg& a) {
        switch (a.ArgKind()) {
            case TFormatArg::Float: return a.AsFloat();
            case TFormatArg::Signed: return static_cast<double>(a.AsSigned());
            case TFormatArg::Unsigned: return static_cast<double>(a.AsUnsigned());
            default: Invalid();
        }
    }

    std::string Convert(const Directive& directive) {
        std::string body;
        bool numeric = true;
        switch (directive.conversion) {
            case 'd': {
                const TFormatArg& a = Next();
                if (a.ArgKind() == TFormatArg::Signed) {
                    const std::int64_t v = a.AsSigned();
                    std::string digits = std::to_string(v);
                    if (v < 0) digits.erase(0, 1);
                    body = WithSign(MinDigits(digits, directive.precision), v < 0, directive);
                } else if (a.ArgKind() == TFormatArg::Unsigned) {
                    body = WithSign(MinDigits(std::to_string(a.AsUnsigned()), directive.precision),
                                    false, directive);
                } else {
                    Invalid();
                }
                break;
            }
            case 'u':
                body = MinDigits(std::to_string(UnsignedBits(Next())), directive.precision);
                break;
            case 'x':
            case 'X': {
                std::string hex = IntToHex(static_cast<std::int64_t>(UnsignedBits(Next())), 0);
                if (directive.conversion == 'x') {
                    for (char& c : hex)
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                }
                body = MinDigits(hex, directive.precision);
                break;
            }
            case 'f':
            case 'n':
            case 'e':
            case 'g': {
                const double v = FloatOf(Next());
                std::string text;
                if (directive.conversion == 'f') {
                    text = FloatToStrF(v, ffFixed, 18,
                                       directive.precision < 0 ? 2 : directive.precision);
                } else if (directive.conversion == 'n') {
                    text = FloatToStrF(v, ffNumber, 18,
                                       directive.precision < 0 ? 2 : directive.precision);
                } else if (directive.conversion == 'e') {
                    text = FloatToStrF(v, ffExponent,
                                       directive.precision < 0 ? 15 : directive.precision, 3);
                } else {
                    text = FloatToStrF(v, ffGeneral,
                                       directive.precision < 0 ? 15 : directive.precision, 0);
                }
                const bool negative = !text.empty() && text[0] == '-';
                if (negative) text.erase(0, 1);
                body = WithSign(text, negative, directive);
                break;
            }
            case 's': {
                const TFormatArg& a = Next();
                if (a.ArgKind() != TFormatArg::Text) Invalid();
                body = std::string(a.AsText());
                if (directive.precision >= 0)
                    body = Utf8Left(body, static_cast<std::size_t>(directive.precision));
                numeric = false;
                break;
            }
            case 'p': {
                const TFormatArg& a = Next();
                if (a.ArgKind() != TFormatArg::Pointer) Invalid();
                body = IntToHex(static_cast<std::int64_t>(a.AsPointer()), 16);
                numeric = false;
                break;
            }
            default: Invalid();
        }
        return Pad(body, directive, numeric);
    }

    static std::string Pad(std::string body, const Directive& directive, bool numeric) {
        const std::size_t length = Utf8Length(body);
        if (directive.width < 0 || length >= static_cast<std::size_t>(directive.width)) return body;
        const std::size_t fill = static_cast<std::size_t>(directive.width) - length;
        if (directive.left) return body + std::string(fill, ' ');
        if (directive.zero && numeric) {
            const std::size_t signLength =
                !body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ') ? 1 : 0;
            body.insert(signLength, fill, '0');
            return body;
        }
        return std::string(fill, ' ') + body;
    }

    std::string_view format_;
    const TFormatArg* args_;
    std::size_t count_;
    std::size_t argIndex_ = 0;
};

}  // namespace

std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args) {
    return Formatter(format, args).Run();
}

}  // namespace dsp
