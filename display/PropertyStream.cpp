#include "display/PropertyStream.h"

#include <type_traits>

namespace display {

namespace {

// The stream's order and types, written once for both directions: the encoder and the
// decoder each visit the properties with their own field handler.
template <class Io, class Properties>
void visit(Io& io, Properties& p) {
    io.field(VT_I4, p.borderStyle);
    io.field(VT_I4, p.typeDisplay);
    io.field(VT_UI4, p.backColor);
    io.field(VT_UI4, p.borderColor);
    io.field(VT_UI4, p.inscriptionsColor);
    io.field(VT_UI4, p.scaleColor);
    io.field(VT_UI4, p.levelsColor);
    io.field(VT_UI4, p.maxLevelColor);
    io.field(VT_I4, p.fftWindowsSize);
    io.field(VT_I2, p.maxLevel);
    io.field(VT_I2, p.outLinesHeight);
    io.field(VT_I4, p.arrayChannels);
    io.field(VT_I4, p.arrayFreqyency);
    io.field(VT_I4, p.attackTime);
    io.field(VT_I4, p.releaseTime);
}

class Encoder {
public:
    explicit Encoder(PropertyBytes& out) : out_(out) {}

    template <class T>
    void field(VARTYPE type, T value) {
        put(type, sizeof type);
        put(static_cast<std::make_unsigned_t<T>>(value), sizeof value);
    }

private:
    void put(uint32_t value, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i) out_[at_++] = static_cast<uint8_t>(value >> (8 * i));
    }

    PropertyBytes& out_;
    size_t at_ = 0;
};

class Decoder {
public:
    explicit Decoder(std::span<const uint8_t, kStoredPropertiesSize> in) : in_(in) {}

    template <class T>
    void field(VARTYPE type, T& value) {
        if (get(sizeof type) != type) valid_ = false;
        value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(get(sizeof value)));
    }
    bool valid() const { return valid_; }

private:
    uint32_t get(size_t bytes) {
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(in_[at_++]) << (8 * i);
        return value;
    }

    std::span<const uint8_t, kStoredPropertiesSize> in_;
    size_t at_ = 0;
    bool valid_ = true;
};

}  // namespace

PropertyBytes encodeProperties(const StoredProperties& properties) {
    PropertyBytes bytes{};
    Encoder encoder(bytes);
    visit(encoder, properties);
    return bytes;
}

std::optional<StoredProperties> decodeProperties(std::span<const uint8_t, kStoredPropertiesSize> bytes) {
    StoredProperties properties{};
    Decoder decoder(bytes);
    visit(decoder, properties);
    if (!decoder.valid()) return std::nullopt;
    return properties;
}

}  // namespace display
