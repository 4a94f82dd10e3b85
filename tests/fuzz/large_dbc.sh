#!/usr/bin/env bash
# Writes a DBC of the size of a large real one to standard output (about 1 MB): 40 nodes,
# 1500 messages of 8 signals each with receivers, multiplexers, comments, transmitter lists
# and attributes.
set -eu
awk 'function id(i) { return i % 4 == 3 ? 2147483648 + 65536 + i : i % 2048 }
BEGIN {
  printf "VERSION \"large\"\n\nNS_ :\n\tCM_\n\tBA_DEF_\n\tBA_\n\tBO_TX_BU_\n\nBS_:\n\nBU_:"
  for (n = 0; n < 40; n++) printf " Node%02d", n
  printf "\n\n"
  for (i = 0; i < 1500; i++) {
    printf "BO_ %.0f Message_%04d_Node%02d: 8 Node%02d\n", id(i), i, i % 40, i % 40
    for (s = 0; s < 8; s++) {
      mux = i % 9 ? "" : (s ? " m" s : " M")
      printf " SG_ Signal_%d_%d%s : %d|8@%d%s (0.5,-%d) [0|%d] \"unit\" Node%02d,Node%02d\n",
        i, s, mux, s * 8, s % 2, s % 3 ? "+" : "-", s, 127 + s, (i + 1) % 40, (i + s + 2) % 40
    }
    printf "\n"
  }
  for (i = 0; i < 1500; i += 4) {
    printf "CM_ BO_ %.0f \"Message %d: a comment of\nmore than one line\";\n", id(i), i
    printf "BO_TX_BU_ %.0f : Node%02d,Node%02d;\n", id(i), i % 40, (i + 7) % 40
  }
  printf "BA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 65535;\n"
  printf "BA_DEF_ BO_ \"GenMsgSendType\" ENUM \"Cyclic\",\"Spontaneous\",\"CyclicIfActive\",\"NoMsgSendType\";\n"
  printf "BA_DEF_ BO_ \"VFrameFormat\" ENUM \"StandardCAN\",\"ExtendedCAN\",\"StandardCAN_FD\",\"ExtendedCAN_FD\";\n"
  printf "BA_DEF_DEF_ \"GenMsgCycleTime\" 0;\nBA_DEF_DEF_ \"GenMsgSendType\" \"Cyclic\";\n"
  for (i = 0; i < 1500; i++) {
    printf "BA_ \"GenMsgCycleTime\" BO_ %.0f %d;\n", id(i), 10 * (i % 50 + 1)
    if (i % 3 == 0) printf "BA_ \"GenMsgSendType\" BO_ %.0f %d;\n", id(i), i % 4
  }
}'
