#pragma once

namespace tess {

// Check numbers of the MDX reader and writer, passed to ReportSink::assertionFailed.
// Each check has its own number; the numbers are stable across releases, so a report
// seen by a user can be traced to the exact check.
enum MdxCheck : int {
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

    // Writer.
    kMdxUnknownCollisionShape = 2201,  // a collision shape type other than Box (0) or Sphere (2)
};

}  // namespace tess
