#pragma once

#include <cstdint>

namespace tess {

// A four-character MDX tag as the little-endian u32 its bytes form, so a tag read as a
// u32 compares directly with these constants.
constexpr std::uint32_t mdxTag(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24;
}

inline constexpr std::uint32_t kTagMDLX = mdxTag("MDLX");

// Top-level chunks.
inline constexpr std::uint32_t kTagVERS = mdxTag("VERS");
inline constexpr std::uint32_t kTagMODL = mdxTag("MODL");
inline constexpr std::uint32_t kTagSEQS = mdxTag("SEQS");
inline constexpr std::uint32_t kTagGLBS = mdxTag("GLBS");
inline constexpr std::uint32_t kTagMTLS = mdxTag("MTLS");
inline constexpr std::uint32_t kTagTEXS = mdxTag("TEXS");
inline constexpr std::uint32_t kTagTXAN = mdxTag("TXAN");
inline constexpr std::uint32_t kTagGEOS = mdxTag("GEOS");
inline constexpr std::uint32_t kTagGEOA = mdxTag("GEOA");
inline constexpr std::uint32_t kTagBONE = mdxTag("BONE");
inline constexpr std::uint32_t kTagLITE = mdxTag("LITE");
inline constexpr std::uint32_t kTagHELP = mdxTag("HELP");
inline constexpr std::uint32_t kTagATCH = mdxTag("ATCH");
inline constexpr std::uint32_t kTagPIVT = mdxTag("PIVT");
inline constexpr std::uint32_t kTagPREM = mdxTag("PREM");
inline constexpr std::uint32_t kTagPRE2 = mdxTag("PRE2");
inline constexpr std::uint32_t kTagRIBB = mdxTag("RIBB");
inline constexpr std::uint32_t kTagCAMS = mdxTag("CAMS");
inline constexpr std::uint32_t kTagEVTS = mdxTag("EVTS");
inline constexpr std::uint32_t kTagCLID = mdxTag("CLID");

// Tags inside records.
inline constexpr std::uint32_t kTagLAYS = mdxTag("LAYS");
inline constexpr std::uint32_t kTagKEVT = mdxTag("KEVT");
inline constexpr std::uint32_t kTagVRTX = mdxTag("VRTX");
inline constexpr std::uint32_t kTagNRMS = mdxTag("NRMS");
inline constexpr std::uint32_t kTagPTYP = mdxTag("PTYP");
inline constexpr std::uint32_t kTagPCNT = mdxTag("PCNT");
inline constexpr std::uint32_t kTagPVTX = mdxTag("PVTX");
inline constexpr std::uint32_t kTagGNDX = mdxTag("GNDX");
inline constexpr std::uint32_t kTagMTGC = mdxTag("MTGC");
inline constexpr std::uint32_t kTagMATS = mdxTag("MATS");
inline constexpr std::uint32_t kTagUVAS = mdxTag("UVAS");
inline constexpr std::uint32_t kTagUVBS = mdxTag("UVBS");

// Tracks.
inline constexpr std::uint32_t kTagKMTF = mdxTag("KMTF");
inline constexpr std::uint32_t kTagKMTA = mdxTag("KMTA");
inline constexpr std::uint32_t kTagKGAO = mdxTag("KGAO");
inline constexpr std::uint32_t kTagKGAC = mdxTag("KGAC");
inline constexpr std::uint32_t kTagKGTR = mdxTag("KGTR");
inline constexpr std::uint32_t kTagKGRT = mdxTag("KGRT");
inline constexpr std::uint32_t kTagKGSC = mdxTag("KGSC");
inline constexpr std::uint32_t kTagKATV = mdxTag("KATV");
inline constexpr std::uint32_t kTagKLAS = mdxTag("KLAS");
inline constexpr std::uint32_t kTagKLAE = mdxTag("KLAE");
inline constexpr std::uint32_t kTagKLAC = mdxTag("KLAC");
inline constexpr std::uint32_t kTagKLBC = mdxTag("KLBC");
inline constexpr std::uint32_t kTagKLAI = mdxTag("KLAI");
inline constexpr std::uint32_t kTagKLBI = mdxTag("KLBI");
inline constexpr std::uint32_t kTagKLAV = mdxTag("KLAV");
inline constexpr std::uint32_t kTagKPEE = mdxTag("KPEE");
inline constexpr std::uint32_t kTagKPEG = mdxTag("KPEG");
inline constexpr std::uint32_t kTagKPLN = mdxTag("KPLN");
inline constexpr std::uint32_t kTagKPLT = mdxTag("KPLT");
inline constexpr std::uint32_t kTagKPEL = mdxTag("KPEL");
inline constexpr std::uint32_t kTagKPES = mdxTag("KPES");
inline constexpr std::uint32_t kTagKPEV = mdxTag("KPEV");
inline constexpr std::uint32_t kTagKP2S = mdxTag("KP2S");
inline constexpr std::uint32_t kTagKP2R = mdxTag("KP2R");
inline constexpr std::uint32_t kTagKP2L = mdxTag("KP2L");
inline constexpr std::uint32_t kTagKP2G = mdxTag("KP2G");
inline constexpr std::uint32_t kTagKP2E = mdxTag("KP2E");
inline constexpr std::uint32_t kTagKP2V = mdxTag("KP2V");
inline constexpr std::uint32_t kTagKP2N = mdxTag("KP2N");
inline constexpr std::uint32_t kTagKP2W = mdxTag("KP2W");
inline constexpr std::uint32_t kTagKRHA = mdxTag("KRHA");
inline constexpr std::uint32_t kTagKRHB = mdxTag("KRHB");
inline constexpr std::uint32_t kTagKRAL = mdxTag("KRAL");
inline constexpr std::uint32_t kTagKRCO = mdxTag("KRCO");
inline constexpr std::uint32_t kTagKRVS = mdxTag("KRVS");
inline constexpr std::uint32_t kTagKRTX = mdxTag("KRTX");
inline constexpr std::uint32_t kTagKTAT = mdxTag("KTAT");
inline constexpr std::uint32_t kTagKTAR = mdxTag("KTAR");
inline constexpr std::uint32_t kTagKTAS = mdxTag("KTAS");
inline constexpr std::uint32_t kTagKCTR = mdxTag("KCTR");
inline constexpr std::uint32_t kTagKTTR = mdxTag("KTTR");
inline constexpr std::uint32_t kTagKCRL = mdxTag("KCRL");

}  // namespace tess
