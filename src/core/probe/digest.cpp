#include "core/probe/digest.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <array>
#include <new>

namespace mv {
namespace {

std::string LowerHex(std::span<const unsigned char> bytes) {
    constexpr std::string_view Digits = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0xF];
    }
    return text;
}

class TCrc32 final : public TDigest {
public:
    void Add(std::span<const Byte> bytes) override {
        // zlib answers a null buffer with the initial value, which would drop what came before.
        if (!bytes.empty()) crc_ = crc32_z(crc_, bytes.data(), bytes.size());
    }
    std::string Finish() override {
        const std::array<unsigned char, 4> value{
            static_cast<unsigned char>(crc_ >> 24), static_cast<unsigned char>(crc_ >> 16),
            static_cast<unsigned char>(crc_ >> 8), static_cast<unsigned char>(crc_)};
        crc_ = Start;
        return LowerHex(value);
    }

private:
    static constexpr uLong Start = 0;
    uLong crc_ = Start;
};

// A hash of libcrypto through its EVP interface. A step that fails spoils the stream: its
// Finish answers empty.
class TEvpHash final : public TDigest {
public:
    explicit TEvpHash(const EVP_MD* method) : method_(method), context_(EVP_MD_CTX_new()) {
        if (context_ == nullptr) throw std::bad_alloc();
        Restart();
    }

    void Add(std::span<const Byte> bytes) override {
        ok_ = ok_ && EVP_DigestUpdate(context_.get(), bytes.data(), bytes.size()) == 1;
    }
    std::string Finish() override {
        std::array<unsigned char, EVP_MAX_MD_SIZE> value;
        unsigned int size = 0;
        ok_ = ok_ && EVP_DigestFinal_ex(context_.get(), value.data(), &size) == 1;
        std::string text = ok_ ? LowerHex(std::span(value.data(), size)) : std::string();
        Restart();
        return text;
    }

private:
    struct TFree {
        void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
    };

    void Restart() { ok_ = EVP_DigestInit_ex(context_.get(), method_, nullptr) == 1; }

    const EVP_MD* method_;
    std::unique_ptr<EVP_MD_CTX, TFree> context_;
    bool ok_ = false;
};

} // namespace

std::string_view DigestName(TDigestKind kind) {
    constexpr std::array<std::string_view, DigestKindCount> Names{"CRC-32", "MD5", "SHA-1",
                                                                  "SHA-256"};
    return Names[static_cast<std::size_t>(kind)];
}

std::unique_ptr<TDigest> TDigest::Make(TDigestKind kind) {
    switch (kind) {
    case TDigestKind::Crc32:
        return std::make_unique<TCrc32>();
    case TDigestKind::Md5:
        return std::make_unique<TEvpHash>(EVP_md5());
    case TDigestKind::Sha1:
        return std::make_unique<TEvpHash>(EVP_sha1());
    case TDigestKind::Sha256:
        return std::make_unique<TEvpHash>(EVP_sha256());
    }
    return nullptr;
}

} // namespace mv
