// What a texture map inherits from Texmap, MtlBase and ISubMap, and the shading context.
#include <gtest/gtest.h>

#include "StandinTestObjects.h"
#include "maxhost/SceneFiles.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

TEST(TexmapDefaults, WhatAMapDoesNotOverride) {
    ConstMap map(AColor(0.3f, 0.6f, 0.9f, 0.5f));
    maxhost::SimpleShadeContext sc;
    EXPECT_FLOAT_EQ(map.EvalMono(sc), 0.6f) << "the mean of r, g and b";
    EXPECT_EQ(map.SuperClassID(), static_cast<SClass_ID>(TEXMAP_CLASS_ID));
    MSTR name;
    map.GetClassName(name);
    EXPECT_EQ(name, _M("Texture"));
    EXPECT_FALSE(map.IsLocalOutputMeaningful(sc));
    EXPECT_EQ(map.gbufID, 0u);
    EXPECT_EQ(map.NumSubTexmaps(), 0);
}

TEST(TexmapDefaults, SubTexmapNames) {
    TestMap* map = new TestMap();
    EXPECT_EQ(map->GetSubTexmapTVName(0), _M("Sub"));
    EXPECT_EQ(map->SubAnimName(1, false), _M("Sub"));
    ConstMap plain;
    EXPECT_EQ(plain.GetSubTexmapTVName(2, true), _M("Map #3")) << "unnamed slots get a number";
    map->DeleteMe();
}

TEST(TexmapDefaults, ShadeContextRecordsTheGBufferId) {
    TestMap* map = new TestMap();
    maxhost::SimpleShadeContext sc;
    Interval valid = FOREVER;
    map->Update(0, valid);
    map->EvalColor(sc);
    EXPECT_EQ(sc.GBufferID(), 0);
    map->gbufID = 12;
    map->EvalColor(sc);
    EXPECT_EQ(sc.GBufferID(), 12);
    EXPECT_FLOAT_EQ(-(sc.Normal() % sc.V()), 1.0f) << "looking straight at the surface";
    map->DeleteMe();
}

TEST(MtlBaseData, AssignmentCopiesNameAndGBufferId) {
    ConstMap a, b;
    a.SetName(_M("source"));
    a.gbufID = 3;
    static_cast<MtlBase&>(b) = static_cast<MtlBase&>(a);
    EXPECT_EQ(b.GetName(), _M("source"));
    EXPECT_EQ(b.gbufID, 3u);
}

TEST(MtlBaseData, SaveAndLoadInsideTheCallersChunk) {
    ConstMap source;
    source.SetName(_M("n\u00e4me"));
    source.gbufID = 99;
    maxhost::ChunkWriter writer;
    ISave& isave = writer;
    isave.BeginChunk(0x4000);
    ASSERT_EQ(source.MtlBase::Save(&isave), IO_OK);
    isave.EndChunk();

    ConstMap target;
    maxhost::ChunkReader reader(writer.Bytes());
    ILoad& iload = reader;
    ASSERT_EQ(iload.OpenChunk(), IO_OK);
    EXPECT_EQ(iload.CurChunkID(), 0x4000);
    ASSERT_EQ(target.MtlBase::Load(&iload), IO_OK);
    EXPECT_EQ(iload.CloseChunk(), IO_OK);
    EXPECT_EQ(target.GetName(), _M("n\u00e4me"));
    EXPECT_EQ(target.gbufID, 99u);

    // The same bytes cut short: the base data reports the damage.
    std::vector<unsigned char> cut(writer.Bytes().begin(), writer.Bytes().end() - 2);
    maxhost::ChunkReader shortReader(cut);
    ILoad& shortLoad = shortReader;
    ASSERT_EQ(shortLoad.OpenChunk(), IO_ERROR);
}

TEST(MtlBaseData, LoadPassesDamageThrough) {
    maxhost::ChunkWriter writer;
    ISave& isave = writer;
    isave.BeginChunk(0x4003); // the G-buffer id chunk with too few bytes
    const short half = 1;
    ULONG n = 0;
    isave.Write(&half, sizeof(half), &n);
    isave.EndChunk();
    ConstMap target;
    maxhost::ChunkReader reader(writer.Bytes());
    EXPECT_EQ(target.MtlBase::Load(&reader), IO_ERROR);
}

} // namespace
} // namespace standin_test
