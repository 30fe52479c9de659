#include "framework/text/Variant.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"

namespace dsp {

// The elements of an array, the first index running fastest. Byte arrays keep plain bytes (an
// image handed over as bytes would otherwise cost forty bytes per byte).
class TVarArray {
public:
    TVarType elementType = varVariant;
    std::vector<std::pair<int, int>> bounds;  // low, high per dimension
    std::vector<TVariant> items;
    std::vector<std::uint8_t> bytes;

    std::size_t Count() const { return elementType == varByte ? bytes.size() : items.size(); }

    std::size_t OffsetOf(std::span<const int> indices) const {
        if (indices.size() != bounds.size()) throw BadIndex();
        std::size_t offset = 0;
        std::size_t stride = 1;
        for (std::size_t d = 0; d < bounds.size(); ++d) {
            const auto [low, high] = bounds[d];
            const int i = indices[d];
            if (i < low || i > high) throw BadIndex();
            offset += static_cast<std::size_t>(static_cast<long long>(i) - low) * stride;
            stride *= static_cast<std::size_t>(static_cast<long long>(high) - low + 1);
        }
        return offset;
    }

    static EVariantBadIndexError BadIndex() {
        return EVariantBadIndexError("Variant or safe array index out of bounds");
    }
};

namespace {

constexpr std::size_t kMaxArrayElements = std::size_t{1} << 28;

bool IsIntegerType(TVarType t) {
    switch (t) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64: return true;
        default: return false;
    }
}

bool IsFloatType(TVarType t) { return t == varSingle || t == varDouble; }

// Scalar types an array may hold, and varVariant.
bool IsElementType(TVarType t) {
    return IsIntegerType(t) || IsFloatType(t) || t == varDate || t == varOleStr ||
           t == varBoolean || t == varVariant;
}

bool IsScalarTarget(TVarType t) {
    return IsIntegerType(t) || IsFloatType(t) || t == varDate || t == varOleStr ||
           t == varBoolean || t == varEmpty || t == varNull;
}

[[noreturn]] void CastError(TVarType from, TVarType to) {
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) +
                                ") into type (" + VarTypeAsText(to) + ")");
}

[[noreturn]] void OverflowError(TVarType from, TVarType to) {
    throw EVariantOverflowError("Overflow while converting variant of type (" +
                                VarTypeAsText(from) + ") into type (" + VarTypeAsText(to) + ")");
}

struct IntRange {
    long long low;
    long long high;
};

IntRange RangeOf(TVarType t) {
    switch (t) {
        case varSmallint: return {-32768, 32767};
        case varInteger: return {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
        case varShortInt: return {-128, 127};
        case varByte: return {0, 255};
        case varWord: return {0, 65535};
        case varLongWord: return {0, 4294967295LL};
        default:
            return {std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max()};
    }
}

// A double to a whole number, halves to even; nullopt when it does not fit 64 bits.
std::optional<long long> RoundToInt64(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) return std::nullopt;
    return static_cast<long long>(r);
}

// Date and time text as FormatDateTime "c" writes it: "m/d/yyyy", optionally followed by
// "h:nn[:ss[.zzz]]" and "AM"/"PM"; or the time alone.
std::optional<TDateTime> ParseDateTimeText(std::string_view text) {
    std::string s = Trim(text);
    std::size_t pos = 0;
    auto number = [&](int maxDigits) -> std::optional<int> {
        int value = 0;
        int digits = 0;
        while (pos < s.size() && digits < maxDigits && s[pos] >= '0' && s[pos] <= '9') {
            value = value * 10 + (s[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        return value;
    };
    auto skipBlanks = [&] {
        while (pos < s.size() && s[pos] == ' ') ++pos;
    };
    auto expect = [&](char c) {
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    };

    TDateTime date = 0;
    bool hasDate = false;
    const std::size_t slash = s.find('/');
    if (slash != std::string::npos) {
        auto month = number(2);
        if (!month || !expect('/')) return std::nullopt;
        auto day = number(2);
        if (!day || !expect('/')) return std::nullopt;
        auto year = number(4);
        if (!year || !TryEncodeDate(*year, *month, *day, date)) return std::nullopt;
        hasDate = true;
        skipBlanks();
    }
    TDateTime time = 0;
    if (pos < s.size()) {
        auto hour = number(2);
        if (!hour || !expect(':')) return std::nullopt;
        auto minute = number(2);
        if (!minute) return std::nullopt;
        int second = 0;
        int ms = 0;
        if (expect(':')) {
            auto sec = number(2);
            if (!sec) return std::nullopt;
            second = *sec;
            if (expect('.')) {
                const std::size_t start = pos;
                auto fraction = number(3);
                if (!fraction) return std::nullopt;
                ms = *fraction;
                for (std::size_t digits = pos - start; digits < 3; ++digits) ms *= 10;
            }
        }
        skipBlanks();
        int h = *hour;
        if (pos < s.size()) {
            const std::string marker = UpperCase(s.substr(pos));
            if ((marker != "AM" && marker != "PM") || h < 1 || h > 12) return std::nullopt;
            h %= 12;
            if (marker == "PM") h += 12;
            pos = s.size();
        }
        if (!TryEncodeTime(h, *minute, second, ms, time)) return std::nullopt;
    } else if (!hasDate) {
        return std::nullopt;
    }
    return date >= 0 ? date + time : date - time;
}

}  // namespace

// ---- construction

TVariant::TVariant(int value) : type_(varInteger), value_(static_cast<long long>(value)) {}
TVariant::TVariant(long long value) : type_(varInt64), value_(value) {}
TVariant::TVariant(unsigned char value) : type_(varByte), value_(static_cast<long long>(value)) {}
TVariant::TVariant(unsigned value) : type_(varLongWord), value_(static_cast<long long>(value)) {}
TVariant::TVariant(double value) : type_(varDouble), value_(value) {}
TVariant::TVariant(bool value) : type_(varBoolean), value_(value) {}
TVariant::TVariant(const char* text) : type_(varOleStr), value_(std::string(text)) {}
TVariant::TVariant(std::string text) : type_(varOleStr), value_(std::move(text)) {}

TVariant TVariant::NullValue() {
    TVariant v;
    v.type_ = varNull;
    return v;
}

TVariant TVariant::FromDateTime(TDateTime value) {
    TVariant v(value);
    v.type_ = varDate;
    return v;
}

TVariant TVariant::OfType(TVarType type, const TVariant& value) {
    if (!IsScalarTarget(type)) {
        throw EVariantError("Invalid variant type " + std::to_string(type));
    }
    if (value.IsArray()) CastError(value.type_, type);
    TVariant result;
    result.type_ = type;
    switch (type) {
        case varEmpty: break;
        case varNull: break;
        case varOleStr: result.value_ = value.AsString(); break;
        case varBoolean: result.value_ = value.AsBoolean(); break;
        case varDate: result.value_ = value.AsDateTime(); break;
        case varDouble: result.value_ = value.AsDouble(); break;
        case varSingle: {
            const double d = value.AsDouble();
            if (std::isfinite(d) && std::fabs(d) > FLT_MAX) OverflowError(value.type_, type);
            result.value_ = static_cast<double>(static_cast<float>(d));
            break;
        }
        default: {  // integers
            const long long n = value.AsInt64();
            const IntRange range = RangeOf(type);
            if (n < range.low || n > range.high) OverflowError(value.type_, type);
            result.value_ = n;
            break;
        }
    }
    return result;
}

TVariant::TVariant(const TVariant& other) : type_(other.type_) {
    if (auto* array = std::get_if<std::shared_ptr<TVarArray>>(&other.value_)) {
        value_ = std::make_shared<TVarArray>(**array);
    } else {
        std::visit(
            [this](const auto& v) {
                using V = std::decay_t<decltype(v)>;
                if constexpr (!std::is_same_v<V, std::shared_ptr<TVarArray>>) value_ = v;
            },
            other.value_);
    }
}

TVariant& TVariant::operator=(const TVariant& other) {
    if (this != &other) {
        TVariant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TVariant::TVariant(TVariant&& other) noexcept
    : type_(other.type_), value_(std::move(other.value_)) {
    other.type_ = varEmpty;
    other.value_ = std::monostate{};
}

TVariant& TVariant::operator=(TVariant&& other) noexcept {
    if (this != &other) {
        type_ = other.type_;
        value_ = std::move(other.value_);
        other.type_ = varEmpty;
        other.value_ = std::monostate{};
    }
    return *this;
}

TVariant::~TVariant() = default;

// ---- conversions

long long TVariant::AsInt64() const {
    if (IsArray() || type_ == varNull) CastError(type_, varInt64);
    if (type_ == varEmpty) return 0;
    if (IsIntegerType(type_)) return std::get<long long>(value_);
    if (type_ == varBoolean) return std::get<bool>(value_) ? -1 : 0;
    if (IsFloatType(type_) || type_ == varDate) {
        if (auto n = RoundToInt64(std::get<double>(value_))) return *n;
        OverflowError(type_, varInt64);
    }
    const std::string& text = std::get<std::string>(value_);
    if (auto n = TryStrToInt64(text)) return *n;
    if (auto d = TryStrToFloat(text)) {
        if (auto n = RoundToInt64(*d)) return *n;
        OverflowError(type_, varInt64);
    }
    CastError(type_, varInt64);
}

int TVariant::AsInteger() const {
    const long long n = AsInt64();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) {
        OverflowError(type_, varInteger);
    }
    return static_cast<int>(n);
}

double TVariant::AsDouble() const {
    if (IsArray() || type_ == varNull) CastError(type_, varDouble);
    if (type_ == varEmpty) return 0;
    if (IsIntegerType(type_)) return static_cast<double>(std::get<long long>(value_));
    if (type_ == varBoolean) return std::get<bool>(value_) ? -1 : 0;
    if (IsFloatType(type_) || type_ == varDate) return std::get<double>(value_);
    const std::string& text = std::get<std::string>(value_);
    if (auto d = TryStrToFloat(text)) return *d;
    if (auto n = TryStrToInt64(text)) return static_cast<double>(*n);
    CastError(type_, varDouble);
}

std::string TVariant::AsString() const {
    if (IsArray() || type_ == varNull) CastError(type_, varOleStr);
    if (type_ == varEmpty) return {};
    if (IsIntegerType(type_)) return IntToStr(std::get<long long>(value_));
    if (type_ == varBoolean) return std::get<bool>(value_) ? "True" : "False";
    if (IsFloatType(type_)) return FloatToStr(std::get<double>(value_));
    if (type_ == varDate) return FormatDateTime("c", std::get<double>(value_));
    return std::get<std::string>(value_);
}

bool TVariant::AsBoolean() const {
    if (IsArray() || type_ == varNull) CastError(type_, varBoolean);
    if (type_ == varEmpty) return false;
    if (type_ == varBoolean) return std::get<bool>(value_);
    if (IsIntegerType(type_)) return std::get<long long>(value_) != 0;
    if (IsFloatType(type_) || type_ == varDate) return std::get<double>(value_) != 0;
    const std::string& text = std::get<std::string>(value_);
    if (SameText(Trim(text), "True")) return true;
    if (SameText(Trim(text), "False")) return false;
    if (auto d = TryStrToFloat(text)) return *d != 0;
    if (auto n = TryStrToInt64(text)) return *n != 0;
    CastError(type_, varBoolean);
}

TDateTime TVariant::AsDateTime() const {
    if (IsArray() || type_ == varNull) CastError(type_, varDate);
    if (type_ == varOleStr) {
        const std::string& text = std::get<std::string>(value_);
        if (auto d = ParseDateTimeText(text)) return *d;
        if (auto d = TryStrToFloat(text)) return *d;
        CastError(type_, varDate);
    }
    return AsDouble();
}

// ---- arrays

const TVarArray& TVariant::Array() const {
    if (!IsArray()) throw EVariantError("Variant is not an array");
    return *std::get<std::shared_ptr<TVarArray>>(value_);
}

TVarArray& TVariant::Array() {
    if (!IsArray()) throw EVariantError("Variant is not an array");
    return *std::get<std::shared_ptr<TVarArray>>(value_);
}

int TVariant::DimCount() const { return static_cast<int>(Array().bounds.size()); }

int TVariant::LowBound(int dim) const {
    const TVarArray& a = Array();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size())) throw TVarArray::BadIndex();
    return a.bounds[static_cast<std::size_t>(dim - 1)].first;
}

int TVariant::HighBound(int dim) const {
    const TVarArray& a = Array();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size())) throw TVarArray::BadIndex();
    return a.bounds[static_cast<std::size_t>(dim - 1)].second;
}

std::size_t TVariant::ElementCount() const { return Array().Count(); }

TVariant TVariant::GetElement(std::span<const int> indices) const {
    const TVarArray& a = Array();
    const std::size_t offset = a.OffsetOf(indices);
    if (a.elementType == varByte) return TVariant(a.bytes[offset]);
    return a.items[offset];
}

void TVariant::PutElement(std::span<const int> indices, const TVariant& value) {
    TVarArray& a = Array();
    const std::size_t offset = a.OffsetOf(indices);
    if (a.elementType == varByte) {
        a.bytes[offset] = static_cast<std::uint8_t>(OfType(varByte, value).AsInt64());
    } else if (a.elementType == varVariant) {
        a.items[offset] = value;
    } else {
        a.items[offset] = OfType(a.elementType, value);
    }
}

bool operator==(const TVariant& a, const TVariant& b) {
    if (a.type_ != b.type_) return false;
    if (!a.IsArray()) {
        if (a.value_.index() != b.value_.index()) return false;
        return std::visit(
            [&](const auto& x) {
                using V = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<V, std::shared_ptr<TVarArray>>) {
                    return false;
                } else {
                    return x == std::get<V>(b.value_);
                }
            },
            a.value_);
    }
    const TVarArray& x = a.Array();
    const TVarArray& y = b.Array();
    return x.bounds == y.bounds && x.items == y.items && x.bytes == y.bytes;
}

TVariant VarArrayCreate(std::span<const int> bounds, TVarType elementType) {
    if (bounds.empty() || bounds.size() % 2 != 0) {
        throw EVariantError("An array needs a low and a high bound for each dimension");
    }
    if (!IsElementType(elementType)) {
        throw EVariantError("Invalid array element type " + VarTypeAsText(elementType));
    }
    auto a = std::make_shared<TVarArray>();
    a->elementType = elementType;
    std::size_t count = 1;
    for (std::size_t i = 0; i < bounds.size(); i += 2) {
        const long long length = static_cast<long long>(bounds[i + 1]) - bounds[i] + 1;
        if (length < 0) throw EVariantError("Array high bound below its low bound");
        a->bounds.emplace_back(bounds[i], bounds[i + 1]);
        if (length != 0 && count > kMaxArrayElements / static_cast<std::size_t>(length)) {
            throw EVariantError("Array too large");
        }
        count *= static_cast<std::size_t>(length);
    }
    if (count > kMaxArrayElements) throw EVariantError("Array too large");
    if (elementType == varByte) {
        a->bytes.assign(count, 0);
    } else {
        const TVariant zero =
            elementType == varVariant ? TVariant() : TVariant::OfType(elementType, TVariant());
        a->items.assign(count, zero);
    }
    TVariant result;
    result.type_ = static_cast<TVarType>(varArray | elementType);
    result.value_ = std::move(a);
    return result;
}

TVariant VarArrayOf(std::span<const TVariant> values) {
    TVariant result =
        VarArrayCreate({0, static_cast<int>(values.size()) - 1}, static_cast<TVarType>(varVariant));
    for (std::size_t i = 0; i < values.size(); ++i) {
        result.PutElement({static_cast<int>(i)}, values[i]);
    }
    return result;
}

TVariant VarArrayOf(std::initializer_list<TVariant> values) {
    return VarArrayOf(std::span<const TVariant>(values.begin(), values.size()));
}

TVariant VarArrayFromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxArrayElements) throw EVariantError("Array too large");
    TVariant result =
        VarArrayCreate({0, static_cast<int>(bytes.size()) - 1}, static_cast<TVarType>(varByte));
    std::get<std::shared_ptr<TVarArray>>(result.value_)->bytes.assign(bytes.begin(), bytes.end());
    return result;
}

std::vector<std::uint8_t> VarArrayToBytes(const TVariant& value) {
    if (value.VarType() != (varArray | varByte) || value.DimCount() != 1) {
        throw EVariantError("Variant is not a one-dimensional byte array");
    }
    return value.Array().bytes;
}

bool VarIsNumeric(const TVariant& v) {
    const TVarType t = v.VarType();
    return IsIntegerType(t) || IsFloatType(t) || t == varDate || t == varBoolean;
}

bool VarIsStr(const TVariant& v) { return v.VarType() == varOleStr; }

TVariant VarAsType(const TVariant& v, TVarType type) {
    if ((type & varArray) == 0) return TVariant::OfType(type, v);
    if (!v.IsArray()) CastError(v.VarType(), type);
    const TVarType element = type & varTypeMask;
    std::vector<int> bounds;
    for (int d = 1; d <= v.DimCount(); ++d) {
        bounds.push_back(v.LowBound(d));
        bounds.push_back(v.HighBound(d));
    }
    TVariant result = VarArrayCreate(bounds, element);
    // Walk every index tuple, the first index fastest.
    const int dims = v.DimCount();
    std::vector<int> index(static_cast<std::size_t>(dims));
    for (int d = 0; d < dims; ++d) index[static_cast<std::size_t>(d)] = v.LowBound(d + 1);
    for (std::size_t n = 0; n < v.ElementCount(); ++n) {
        result.PutElement(index, v.GetElement(index));
        for (int d = 0; d < dims; ++d) {
            auto& i = index[static_cast<std::size_t>(d)];
            if (i < v.HighBound(d + 1)) {
                ++i;
                break;
            }
            i = v.LowBound(d + 1);
        }
    }
    return result;
}

std::string VarToStr(const TVariant& v) { return VarToStrDef(v, {}); }

std::string VarToStrDef(const TVariant& v, const std::string& fallback) {
    if (v.IsNull()) return fallback;
    return v.AsString();
}

std::string VarTypeAsText(TVarType type) {
    if ((type & varArray) != 0) {
        return "Array of " + VarTypeAsText(static_cast<TVarType>(type & varTypeMask));
    }
    switch (type) {
        case varEmpty: return "Empty";
        case varNull: return "Null";
        case varSmallint: return "Smallint";
        case varInteger: return "Integer";
        case varSingle: return "Single";
        case varDouble: return "Double";
        case varDate: return "Date";
        case varOleStr: return "String";
        case varBoolean: return "Boolean";
        case varVariant: return "Variant";
        case varShortInt: return "ShortInt";
        case varByte: return "Byte";
        case varWord: return "Word";
        case varLongWord: return "LongWord";
        case varInt64: return "Int64";
        default: return "Unknown";
    }
}

}  // namespace dsp
