#include "core/probe/range_digests.h"

#include "support/store_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mv::test {
namespace {

// The digests of bytes handed to TDigest whole: the oracle for a range read in chunks.
TDigestTexts Whole(std::span<const Byte> bytes) {
    TDigestTexts texts;
    for (int kind = 0; kind < DigestKindCount; ++kind) {
        const auto digest = TDigest::Make(TDigestKind(kind));
        digest->Add(bytes);
        texts[std::size_t(kind)] = digest->Finish();
    }
    return texts;
}

// Ranges across several chunks and blocks, ending inside a chunk, and reaching past the data.
TEST(RangeDigests, AreThoseOfTheWholeRangeReadInChunks) {
    const ByteVector data = Sequence(std::size_t(TRangeDigests::ChunkBytes * 2 + 5000));
    TMemoryModule module;
    Append(module, data);
    const std::span<const Byte> all(data);
    EXPECT_EQ(TRangeDigests::Of(module, 0, module.Size()), Whole(all));
    EXPECT_EQ(TRangeDigests::Of(module, 7, TRangeDigests::ChunkBytes + 1),
              Whole(all.subspan(7, std::size_t(TRangeDigests::ChunkBytes + 1))));
    EXPECT_EQ(TRangeDigests::Of(module, 100, module.Size()), Whole(all.subspan(100)));
    EXPECT_EQ(TRangeDigests::Of(module, module.Size(), 10), Whole({}));

    TRangeDigests steps(module, 1, module.Size());
    int chunks = 1;
    while (steps.Step())
        ++chunks;
    EXPECT_EQ(chunks, 3);
    EXPECT_EQ(steps.Done(), module.Size() - 1);
}

// Bytes the file no longer holds read as zeros; digests of them would be wrong.
TEST(RangeDigests, NoneWhenTheFileCannotGiveItsBytes) {
    TTempFolder folder;
    const std::string path = folder.Write("data.bin", Sequence(3 << 16));
    TMemoryModule module;
    module.FileBlockBytes = 1 << 16;
    ASSERT_EQ(module.LoadFromFile(path, 0), 0);
    std::filesystem::resize_file(path, 1 << 16);
    EXPECT_EQ(TRangeDigests::Of(module, 0, module.Size()), std::nullopt);
}

} // namespace
} // namespace mv::test
