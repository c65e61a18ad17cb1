#pragma once

namespace tess {

// Every check number of the program, in one place. A number identifies one check for
// good: a report seen by a user ("Assertion failed (line N)") can be traced to it.
enum Check : int {
    // Chunk framing.
    kMdxUnknownChunk = 2101,       // unknown top-level tag: skipped by its size
    kMdxTruncated = 2102,          // the file ends inside a chunk; reading stops
    kMdxChunkOverrun = 2103,       // a chunk's contents need more bytes than its size
    kMdxChunkSizeMismatch = 2104,  // a fixed-layout chunk has bytes left over

    // Records with an inclusive size.
    kMdxRecordPastEnclosing = 2110,  // inclusive size points past the chunk or record holding it
    kMdxNodeEndMismatch = 2111,      // a node's tracks did not end at its inclusive size
    kMdxRecordEndMismatch = 2112,    // a record's tracks did not end at its inclusive size
    kMdxLayerEndMismatch = 2113,     // a layer's tracks did not end at its inclusive size
    kMdxUnexpectedNodeTag = 2114,    // a tag that is not a track of the node
    kMdxUnexpectedRecordTag = 2115,  // a tag that is not a track of the record
    kMdxUnexpectedLayerTag = 2116,   // a tag that is not a track of the layer
    kMdxMissingLays = 2117,          // a material without the LAYS tag before its layers
    kMdxMissingKevt = 2118,          // an event object without the KEVT tag before its times

    // Tracks.
    kMdxBadInterpolation = 2120,  // interpolation type outside 0..3, read as Linear
    kMdxIntegerTangents = 2121,   // integer track of type Hermite or Bezier

    // Geosets: a block whose tag is not the expected one (reading goes on as if it were).
    kMdxGeosetVrtxTag = 2130,
    kMdxGeosetNrmsTag = 2131,
    kMdxGeosetPtypTag = 2132,
    kMdxGeosetPcntTag = 2133,
    kMdxGeosetPvtxTag = 2134,
    kMdxGeosetGndxTag = 2135,
    kMdxGeosetMtgcTag = 2136,
    kMdxGeosetMatsTag = 2137,
    kMdxGeosetUvasTag = 2138,
    kMdxGeosetUvbsTag = 2139,
    // Geosets: counts that disagree.
    kMdxNormalCountMismatch = 2140,  // NRMS count differs from the vertex count
    kMdxGroupCountMismatch = 2141,   // GNDX count differs from the vertex count
    kMdxUvCountMismatch = 2142,      // UVBS count differs from the vertex count
    kMdxMatsBeyondGroups = 2143,     // more MATS entries than MTGC accounts for: extras dropped
    kMdxMatsShort = 2144,            // fewer MATS entries than MTGC accounts for
    kMdxGeosetEndMismatch = 2145,    // the geoset did not end at its inclusive size
    kMdxUvPaddingLimit = 2146,       // too many short UV sets to pad: the set is skipped

    // MDX writer.
    kMdxUnknownCollisionShape = 2201,  // a collision shape type other than Box (0) or Sphere (2)

    // MDL writer: values the text has no form for (written all the same).
    kMdlEmitterWithoutUsesFlag = 3309,  // a ParticleEmitter with neither EmitterUses flag
    kMdlUnknownEmitter2Filter = 3857,   // a ParticleEmitter2 filter mode of 3 or above 4

    // MDL reader: the text breaks a rule the model keeps (read all the same).
    kMdlShortTextureSet = 3501,  // a TVertices block with fewer entries than vertices: padded with (0, 0)

    // Document setup.
    kNoSequence = 3667,  // a loaded model without any sequence

    // Model validation: rules the editor relies on, found broken in a model that was read.
    kGeosetArraysOutOfStep = 4001,   // a per-vertex array without one entry per vertex
    kGeosetPartialTriangle = 4002,   // a corner count that is not a multiple of three
    kGeosetCornerRange = 4003,       // corner indices not below the vertex count
    kGeosetVertexGroupRange = 4004,  // vertex groups not below the matrix group count
    kGeosetMatrixBoneRange = 4005,   // matrix group entries that are not bones
    kGeosetMaterialId = 4006,        // a geoset's MaterialID that names no material
    kLayerTextureId = 4007,          // an unkeyed layer's TextureID that names no texture
    kLayerTextureAnimId = 4008,      // a layer's TVertexAnimId that names no texture animation
    kGeosetAnimGeosetId = 4009,      // a geoset animation's GeosetId that names no geoset
    kNodeParent = 4010,              // a Parent that is not the ObjectId of a Bone or Helper
    kNodePivot = 4011,               // an ObjectId without a pivot point
    kBoneGeosetId = 4012,            // a bone's GeosetId that names no geoset
    kEmitter2TextureId = 4013,       // a ParticleEmitter2's TextureID that names no texture
    kRibbonMaterialId = 4014,        // a RibbonEmitter's MaterialID that names no material
};

}  // namespace tess
