#include "formats/sealed_headers.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

SealParameters sampleParameters()
{
    SealParameters parameters;
    parameters.iterations = 0x0009'27C0;  // 600,000
    for (uint8_t i = 0; i < 16; ++i) parameters.salt[i] = static_cast<uint8_t>(0xA0 + i);
    for (uint8_t i = 0; i < 12; ++i) parameters.nonce[i] = static_cast<uint8_t>(0x10 + i);
    return parameters;
}

std::string withNumber(std::string bytes, size_t at, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(ProtectedListFile, HeaderFieldsSitAtTheirOffsetsAndReadBack)
{
    const std::string header = protectedListHeader(sampleParameters());
    ASSERT_EQ(header.size(), kProtectedListHeaderSize);
    EXPECT_EQ(header.substr(0, 16), std::string("TESSLIST\x02\x00\x01\x00\xC0\x27\x09\x00", 16));
    EXPECT_EQ(static_cast<uint8_t>(header[16]), 0xA0);
    EXPECT_EQ(static_cast<uint8_t>(header[31]), 0xAF);
    EXPECT_EQ(static_cast<uint8_t>(header[32]), 0x10);
    EXPECT_EQ(static_cast<uint8_t>(header[43]), 0x1B);

    const std::string file = header + "sealed" + std::string(16, 'T');
    ProtectedListParts parts;
    ASSERT_EQ(readProtectedList(file, parts), HeaderStatus::Read);
    EXPECT_EQ(parts.version, 2u);
    EXPECT_EQ(parts.parameters.iterations, 600000u);
    EXPECT_EQ(parts.parameters.salt, sampleParameters().salt);
    EXPECT_EQ(parts.parameters.nonce, sampleParameters().nonce);
    EXPECT_EQ(parts.header, header);
    EXPECT_EQ(parts.sealed, "sealed");
    EXPECT_EQ(parts.tag, std::string(16, 'T'));
}

TEST(ProtectedListFile, LengthsDecideBetweenPlainDamagedAndWhole)
{
    const std::string header = protectedListHeader(sampleParameters());
    ProtectedListParts parts;
    // A plain list file (or an empty one) is not this format at all.
    EXPECT_EQ(readProtectedList("", parts), HeaderStatus::OtherFormat);
    EXPECT_EQ(readProtectedList(std::string("\x04\x00\x00\x00user", 8), parts), HeaderStatus::OtherFormat);
    EXPECT_EQ(readProtectedList("TESSLIS", parts), HeaderStatus::OtherFormat);
    EXPECT_EQ(readProtectedList("TESSLIST", parts), HeaderStatus::Damaged);
    EXPECT_EQ(readProtectedList(header + std::string(15, 'T'), parts), HeaderStatus::Damaged);
    // An empty list seals to no bytes at all: header and tag alone are whole.
    ASSERT_EQ(readProtectedList(header + std::string(16, 'T'), parts), HeaderStatus::Read);
    EXPECT_TRUE(parts.sealed.empty());
}

TEST(ProtectedListFile, NamedByItsExtensionInAnyCase)
{
    for (const char* name : {"a.slp", "C:\\lists\\A.SLP", "x.Slp", ".slp"}) {
        EXPECT_TRUE(hasProtectedListExtension(name)) << name;
    }
    for (const char* name : {"", "slp", "a.slc", "a.slp.bak", "a_slp", "a.sl"}) {
        EXPECT_FALSE(hasProtectedListExtension(name)) << name;
    }
}

TEST(ProtectedListFile, VersionDerivationAndIterationBoundsAreChecked)
{
    const std::string file = protectedListHeader(sampleParameters()) + std::string(16, 'T');
    ProtectedListParts parts;
    for (uint32_t version : {0u, 3u, 0x0505u}) {
        EXPECT_EQ(readProtectedList(withNumber(file, 8, version, 2), parts), HeaderStatus::Damaged) << version;
    }
    ASSERT_EQ(readProtectedList(withNumber(file, 8, 1, 2), parts), HeaderStatus::Read) << "the first files still open";
    EXPECT_EQ(parts.version, 1u);
    EXPECT_EQ(readProtectedList(withNumber(file, 10, 2, 2), parts), HeaderStatus::Damaged);
    for (uint32_t iterations : {0u, 99999u, 2000001u, 10000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(readProtectedList(withNumber(file, 12, iterations, 4), parts), HeaderStatus::Damaged) << iterations;
    }
    for (uint32_t iterations : {100000u, 2000000u}) {
        ASSERT_EQ(readProtectedList(withNumber(file, 12, iterations, 4), parts), HeaderStatus::Read) << iterations;
        EXPECT_EQ(parts.parameters.iterations, iterations);
    }
}

GuardedPictureHeader sampleHeader()
{
    GuardedPictureHeader header;
    header.parameters = sampleParameters();
    header.width = 2000;
    header.height = 0x0001'0203;
    for (uint8_t i = 0; i < 16; ++i) header.tag[i] = static_cast<uint8_t>(0xE0 + i);
    return header;
}

std::string guardedResource(const GuardedPictureHeader& header)
{
    return guardedPictureAssociated(header) + std::string(header.tag.begin(), header.tag.end());
}

TEST(GuardedPictureHeader, FieldsSitAtTheirOffsetsAndReadBack)
{
    const std::string associated = guardedPictureAssociated(sampleHeader());
    ASSERT_EQ(associated.size(), kGuardedPictureAssociatedSize);
    EXPECT_EQ(associated.substr(0, 24),
              std::string("TESSPICT\x01\x00\x01\x00\xC0\x27\x09\x00\xD0\x07\x00\x00\x03\x02\x01\x00", 24));
    EXPECT_EQ(static_cast<uint8_t>(associated[24]), 0xA0);
    EXPECT_EQ(static_cast<uint8_t>(associated[40]), 0x10);
    EXPECT_EQ(static_cast<uint8_t>(associated[51]), 0x1B);

    GuardedPictureHeader read;
    ASSERT_EQ(readGuardedPictureHeader(guardedResource(sampleHeader()), read), HeaderStatus::Read);
    EXPECT_EQ(read.parameters.iterations, 600000u);
    EXPECT_EQ(read.parameters.salt, sampleHeader().parameters.salt);
    EXPECT_EQ(read.parameters.nonce, sampleHeader().parameters.nonce);
    EXPECT_EQ(read.width, 2000u);
    EXPECT_EQ(read.height, 0x0001'0203u);
    EXPECT_EQ(read.tag, sampleHeader().tag);
}

TEST(GuardedPictureHeader, AnyOtherSizeMagicVersionOrCountIsDamaged)
{
    const std::string resource = guardedResource(sampleHeader());
    GuardedPictureHeader read;
    EXPECT_EQ(readGuardedPictureHeader(resource.substr(0, 67), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(resource + "x", read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader("", read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader("TESSLIST" + resource.substr(8), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(withNumber(resource, 8, 0, 2), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(withNumber(resource, 10, 0, 2), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(withNumber(resource, 12, 99999, 4), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(withNumber(resource, 12, 2000001, 4), read), HeaderStatus::Damaged);
    EXPECT_EQ(readGuardedPictureHeader(withNumber(resource, 12, 2000000, 4), read), HeaderStatus::Read);
}

}  // namespace
}  // namespace tessaly
