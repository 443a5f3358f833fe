#pragma once
// Variant: the one value type of the script engine and of everything that
// crosses between engine and host. A tag (the script-visible VarType code) and
// an 8-byte payload; strings and arrays are shared reference-counted buffers,
// so a copy costs a counter increment and never a deep copy. Writers copy a
// shared buffer first (copy on write), which gives strings and arrays their
// value semantics.
//
// Not thread-safe: like the engine, Variants belong to the thread that runs
// the scripts.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

// The type codes of VarType.
enum TVarTypeCode : std::uint16_t {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varDispatch = 9,
    varError = 10,
    varBoolean = 11,
    varVariant = 12,
    varUnknown = 13,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varUInt64 = 21,
    varString = 256,  // 8-bit text in the ANSI code page (Windows-1252)
    varUString = 258, // UTF-16 text: string literals and string variables
    varArray = 0x2000,
};

struct TArrayBound {
    std::int32_t low;
    std::int32_t high;
    std::int32_t count() const { return high - low + 1; }
};

class Variant;

namespace detail {

// A string buffer: header followed by length + 1 characters (NUL-terminated).
template <class Ch> struct TStrRep {
    std::int32_t refs;
    std::int32_t length;
    std::int32_t capacity;
    Ch* chars() { return reinterpret_cast<Ch*>(this + 1); }
    std::basic_string_view<Ch> view() { return {chars(), static_cast<std::size_t>(length)}; }

    // A new buffer holding `text`, with room for `capacity` characters.
    static TStrRep* make(std::basic_string_view<Ch> text, std::size_t capacity);
    static void release(TStrRep* rep) {
        if (rep && --rep->refs == 0) ::operator delete(rep);
    }
};

using TAnsiRep = TStrRep<char>;
using TWideRep = TStrRep<char16_t>;
struct TArrayRep;

} // namespace detail

class Variant {
public:
    Variant() noexcept : type_(varEmpty) { v_.i64 = 0; }
    Variant(bool b) noexcept : type_(varBoolean) { v_.i64 = b; }
    Variant(std::int32_t i) noexcept : type_(varInteger) { v_.i64 = i; }
    Variant(std::int64_t i) noexcept : type_(varInt64) { v_.i64 = i; }
    Variant(double d) noexcept : type_(varDouble) { v_.dbl = d; }
    Variant(std::u16string_view text);
    Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
    // Any other pointer would silently become a Boolean.
    template <class T> Variant(T*) = delete;

    static Variant null() noexcept;
    // An integer of one of the integer type codes; the value is taken as given.
    static Variant of_integer(std::uint16_t type, std::int64_t value) noexcept;
    static Variant of_single(float f) noexcept;
    static Variant of_currency(std::int64_t scaled_by_10000) noexcept;
    static Variant of_date(double days_since_1899_12_30) noexcept;
    // UTF-16 text from UTF-8 (the host's text).
    static Variant from_utf8(std::string_view utf8);
    // 8-bit text (type String), bytes in Windows-1252.
    static Variant from_ansi(std::string_view ansi);
    // Wide text of type OleStr.
    static Variant ole_string(std::u16string_view text);
    // A Variant array with the given bounds per dimension, all elements empty;
    // element_type is the element type code (varVariant: any value).
    static Variant array(std::span<const TArrayBound> bounds,
                         std::uint16_t element_type = varVariant);
    // A one-dimensional array 0..n-1 holding the values (a set constructor).
    static Variant array_of(std::span<const Variant> values);

    Variant(const Variant& other) noexcept : type_(other.type_), v_(other.v_) { retain(); }
    Variant(Variant&& other) noexcept : type_(other.type_), v_(other.v_) { other.type_ = varEmpty; }
    Variant& operator=(const Variant& other) noexcept {
        other.retain();
        release();
        type_ = other.type_;
        v_ = other.v_;
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            release();
            type_ = other.type_;
            v_ = other.v_;
            other.type_ = varEmpty;
        }
        return *this;
    }
    ~Variant() { release(); }

    // Makes the value the Integer i, in place.
    void set_int(std::int32_t i) noexcept {
        release();
        type_ = varInteger;
        v_.i64 = i;
    }

    std::uint16_t vtype() const { return type_; }
    bool is_empty() const { return type_ == varEmpty; }
    bool is_null() const { return type_ == varNull; }
    bool is_bool() const { return type_ == varBoolean; }
    bool is_int32() const { return type_ == varInteger; }
    bool is_array() const { return (type_ & varArray) != 0; }
    bool is_wide_string() const { return type_ == varUString || type_ == varOleStr; }
    bool is_string() const { return is_wide_string() || type_ == varString; }
    // Any of the integer type codes, 8 to 64 bits.
    bool is_integer() const;
    // Integer, float, currency or date.
    bool is_numeric() const;

    // Raw payloads; valid only for the matching type codes.
    std::int32_t int_value() const { return static_cast<std::int32_t>(v_.i64); }
    std::int64_t int64_value() const { return v_.i64; }
    double double_value() const { return v_.dbl; }
    bool bool_value() const { return v_.i64 != 0; }
    std::u16string_view wide_view() const { return v_.wide ? v_.wide->view() : u""; }
    std::string_view ansi_view() const { return v_.ansi ? v_.ansi->view() : ""; }

    // Conversions by the Variant rules; a value that does not convert raises
    // the conversion error (EVariantTypeCastError), one out of range the
    // overflow error.
    std::int32_t to_int() const {
        return type_ == varInteger ? static_cast<std::int32_t>(v_.i64) : to_int_slow();
    }
    std::int64_t to_int64() const;
    double to_double() const;
    bool to_bool() const { return type_ == varBoolean ? v_.i64 != 0 : to_bool_slow(); }
    std::u16string to_u16string() const;
    std::string to_utf8() const;
    // The value as a UTF-16 string Variant (shares the buffer when it is one).
    Variant to_ustring() const;
    // VarAsType: the value converted to the given type code.
    Variant as_type(std::uint16_t type) const;

    // VarTypeAsText: the name of a type code in messages ("UnicodeString").
    static std::string type_name(std::uint16_t type);

    // Appends text to a string value in place when the buffer is not shared
    // (growing it geometrically), so that building a string by repeated
    // appends costs linear time. The value must be a string; other becomes
    // text by the string conversion.
    void append_string(const Variant& other);

    // Arrays. Indexes outside the bounds raise EVariantBadIndexError.
    int array_dim_count() const;
    TArrayBound array_bound(int dim) const; // dim is 0-based
    const Variant& array_get(std::span<const std::int32_t> index) const;
    // Stores the value (converted to the element type) at the index.
    void array_put(std::span<const std::int32_t> index, const Variant& value);
    // All elements in storage order (first index varies slowest).
    std::span<const Variant> array_items() const;
    // Changes the high bound of the first dimension, keeping the elements.
    void array_redim(std::int32_t high);
    // Fast one-dimensional access, for the common Variant array.
    const Variant& array_get1(std::int32_t i) const;
    void array_put1(std::int32_t i, const Variant& value);
    // Only the fast case of array_put1 (unshared one-dimensional Variant
    // array, index in bounds); false when the caller must take the full path.
    bool try_array_put1(std::int32_t i, const Variant& value);

    // Exact identity of type and payload (used by tests and by caches).
    friend bool same_value(const Variant& a, const Variant& b);

private:
    friend struct detail::TArrayRep;
    bool holds_buffer() const { return type_ >= varString || type_ == varOleStr; }
    void retain() const {
        if (holds_buffer() && v_.ptr) ++*static_cast<std::int32_t*>(v_.ptr);
    }
    void release() noexcept {
        if (holds_buffer() && v_.ptr) release_buffer();
    }
    void release_buffer() noexcept;
    std::int32_t to_int_slow() const;
    bool to_bool_slow() const;
    detail::TArrayRep& array_rep() const;
    detail::TArrayRep& unique_array();

    std::uint16_t type_;
    union {
        std::int64_t i64; // every integer type and Boolean
        double dbl;       // double and date
        float sgl;
        void* ptr; // first member of every buffer is its reference count
        detail::TAnsiRep* ansi;
        detail::TWideRep* wide;
        detail::TArrayRep* arr;
    } v_;
};

static_assert(sizeof(Variant) == 16, "a Variant is a tag and an 8-byte payload");

namespace detail {

// A string's value as a number: Integer or Int64 for integer text, Double
// for float text, -1 or 0 for True and False; anything else raises the
// conversion error from the string's type to `target`.
Variant string_number(const Variant& text, std::uint16_t target);

struct TArrayRep {
    std::int32_t refs = 1;
    std::uint16_t element_type = varVariant;
    std::vector<TArrayBound> bounds;
    std::vector<Variant> items;
};

} // namespace detail

inline int Variant::array_dim_count() const {
    return is_array() ? static_cast<int>(v_.arr->bounds.size()) : 0;
}

inline const Variant& Variant::array_get1(std::int32_t i) const {
    if (is_array() && v_.arr->bounds.size() == 1) {
        const detail::TArrayRep& a = *v_.arr;
        const std::int64_t k = std::int64_t{i} - a.bounds[0].low;
        if (k >= 0 && k < static_cast<std::int64_t>(a.items.size()))
            return a.items[static_cast<std::size_t>(k)];
    }
    const std::int32_t index[] = {i};
    return array_get(index);
}

inline bool Variant::try_array_put1(std::int32_t i, const Variant& value) {
    if (!is_array()) return false;
    detail::TArrayRep& a = *v_.arr;
    if (a.refs != 1 || a.bounds.size() != 1 || a.element_type != varVariant) return false;
    const std::int64_t k = std::int64_t{i} - a.bounds[0].low;
    if (k < 0 || k >= static_cast<std::int64_t>(a.items.size())) return false;
    a.items[static_cast<std::size_t>(k)] = value;
    return true;
}

} // namespace veltran
