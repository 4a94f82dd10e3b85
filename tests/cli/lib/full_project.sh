# Sourced: full_project DIR writes a Project of 30 receive and 30 transmit frames of 4 bytes,
# one module per frame, into DIR (created). The hand-over test and the CLI benchmark use it.
full_project() {
  local p=$1 i
  mkdir -p "$p"
  printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' >"$p/ParGen.xml"
  {
    printf '<Receive_Frames>'
    for i in $(seq 1 30); do
      printf '<row COBID="%d" CAN_Type="2.0A (11 bits)" Dim="4" SWAP="0" TimeOut="500" Mnemonic="sensor %d"/>' $((0x100 + i)) "$i"
    done
    printf '</Receive_Frames>'
  } >"$p/CAN_Rec_Frames.xml"
  {
    printf '<Transmit_Frames>'
    for i in $(seq 1 30); do
      printf '<row COBID="%d" CAN_Type="2.0A (11 bits)" Dim="4" SWAP="0" OnChange="Y" OnTimer="Y" Time="100" Mnemonic="drive; %d"/>' $((0x300 + i)) "$i"
    done
    printf '</Transmit_Frames>'
  } >"$p/CAN_Send_Frames.xml"
}
