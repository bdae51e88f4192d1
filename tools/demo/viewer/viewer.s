; Stage viewer of the demo cartridge.
;
; Draws one room of one stage from the very tables the editor edits, at their default
; places: stage n's tables lie in program bank n (8 KB), bank byte, map, palettes and
; objects at fixed offsets, the chip and map set tables too, except that stages 14 and 16
; use stage 13's. The background tile windows come from the stage's two bank bytes, palette
; set 0 is animated once a frame by the stage's animation slots, and each object of the
; room gets a small sprite marker with its kind.
;
; Controls: Left/Right previous/next room, Up/Down scroll the 16 lines of the room below the
; screen, Select next stage, Start shows or hides the object markers.

; ---------------------------------------------------------------------------------------
; Hardware

PPUCTRL   = $2000
PPUMASK   = $2001
PPUSTATUS = $2002
OAMADDR   = $2003
PPUSCROLL = $2005
PPUADDR   = $2006
PPUDATA   = $2007
OAMDMA    = $4014
JOYPAD1   = $4016
APUFRAME  = $4017
DMCFREQ   = $4010

; The board: bank select and bank data, mirroring, interrupt disable.
BANKSELECT = $8000
BANKDATA   = $8001
MIRRORING  = $A000
IRQDISABLE = $E000

; Bank select with the character windows swapped: the four 1 KB windows (registers 2..5)
; lie at $0000..$0FFF, where the background reads its tiles, and the two 2 KB windows
; (registers 0, 1) at $1000, where the sprites read theirs.
SWAPPEDCHR = $80
REG_SPRITES = 0
REG_TILES0  = 2
REG_TILES1  = 4
REG_LOW     = 6              ; program bank at $8000
REG_HIGH    = 7              ; program bank at $A000

; NMI on, sprites from $1000, background from $0000, name table $2000, step 1.
CTRL_SHOWN = %10001000
; Background and sprites on, including the leftmost 8 pixels.
MASK_SHOWN = %00011110

OAM = $0200

BUTTON_A      = $80
BUTTON_B      = $40
BUTTON_SELECT = $20
BUTTON_START  = $10
BUTTON_UP     = $08
BUTTON_DOWN   = $04
BUTTON_LEFT   = $02
BUTTON_RIGHT  = $01

; ---------------------------------------------------------------------------------------
; Cartridge layout (default table offsets, as CPU addresses)

STAGE_COUNT = 18
ROOM_COUNT  = 48
EXTRA_LINES = 16             ; a room is 256 lines, the screen 240

; A stage's own tables, with its bank at $8000.
MAP_TABLE     = $8A00
BANK_BYTES    = $8A80
PALETTE_SET0  = $8A82
ANIME_SET0    = $8A92
OBJECT_ROOM   = $8B00
OBJECT_X      = $8C00
OBJECT_Y      = $8D00
OBJECT_KIND   = $8E00
OBJECT_TABLE_SIZE = 128

; The chip and map set tables, with the bank that holds them at $A000.
MAPSET_TABLE   = $AF00
CHIP32_TABLE   = $B700
CHIP16_TABLE   = $BB00
PROPERTY_TABLE = $BF00

; The palette animation tables, shared by all stages, in bank 9 at $8000.
ANIME_BANK     = 9
ANIME_POINTERS = $8600
ANIME_RECORDS  = $860E
ANIME_TRIPLES  = $858E

; Stages 14 and 16 draw with stage 13's chips and map sets.
SHARING_STAGE_A = 14
SHARING_STAGE_B = 16
SHARED_STAGE    = 13

; The sprite tiles of the markers lie in this 2 KB of character data: tile d and $10 + d
; are the upper corners with the hexadecimal digit d, then the two lower corners.
MARKER_PAGE      = 126
MARKER_LOW_DIGIT = $10
MARKER_BOTTOM    = $20

MARKER_WHITE = $30
MARKER_BLACK = $0F

; ---------------------------------------------------------------------------------------

.segment "ZEROPAGE"
frameCount:  .res 1
showScreen:  .res 1          ; 0 while the name tables are being written
stage:       .res 1
chipStage:   .res 1          ; the stage whose chips and map sets are drawn
room:        .res 1
scroll:      .res 1          ; 0..EXTRA_LINES
markersShown: .res 1
padNow:      .res 1
padPressed:  .res 1
pointer:     .res 2
framePointer: .res 2
temp:        .res 1
quarter:     .res 1
cellBase:    .res 1
cellAttr:    .res 1
tile0:       .res 1
tile1:       .res 1
tile2:       .res 1
tile3:       .res 1
slot:        .res 1
entry:       .res 1
previousRoom: .res 1
spriteX:     .res 1
spriteY:     .res 1
topValid:    .res 1
bottomY:     .res 1
bottomValid: .res 1
kind:        .res 1
oamIndex:    .res 1
chipRow:     .res 1
chipColumn:  .res 1
mapSetPointer: .res 2
animeSelect: .res 4
animeWait:   .res 4
animeFrame:  .res 4

.segment "BSS"
; The colours the screen shows: the stage's palette set 0, as animated.
palette:     .res 16
; Four rows of tiles (one row of 32x32 chips) and the attribute bytes of the room.
rowTiles:    .res 128
attributes:  .res 64
lowerAttributes: .res 8

.segment "RODATA"
; Where quarter q of a 32x32 chip starts in the four rows of tiles.
QuarterOffset: .byte 0, 2, 64, 66

.segment "CODE"

Reset:
    sei
    cld
    ldx #$40
    stx APUFRAME
    ldx #$FF
    txs
    inx
    stx PPUCTRL
    stx PPUMASK
    stx DMCFREQ
    stx IRQDISABLE
    bit PPUSTATUS
@vblank1:
    bit PPUSTATUS
    bpl @vblank1
    txa
@clear:
    sta $0000,x
    sta $0100,x
    sta $0300,x
    sta $0400,x
    sta $0500,x
    sta $0600,x
    sta $0700,x
    inx
    bne @clear
    lda #$FF
@hide:
    sta OAM,x
    inx
    bne @hide
@vblank2:
    bit PPUSTATUS
    bpl @vblank2

    ; Horizontal mirroring: the 16 lines below the screen go to the name table at $2800.
    lda #1
    sta MIRRORING
    ldx #REG_SPRITES
    lda #MARKER_PAGE
    jsr SetBank
    lda #1
    sta markersShown
    lda #CTRL_SHOWN
    sta PPUCTRL
    lda #0
    sta stage
    jsr LoadStage
    jsr DrawRoom

MainLoop:
    jsr WaitFrame
    jsr ReadPad
    jsr HandleButtons
    jsr StepAnimation
    jsr BuildSprites
    jmp MainLoop

; Waits for the next vertical blank.
.proc WaitFrame
    lda frameCount
@wait:
    cmp frameCount
    beq @wait
    rts
.endproc

; X = bank register, A = bank number.
.proc SetBank
    pha
    txa
    ora #SWAPPEDCHR
    sta BANKSELECT
    pla
    sta BANKDATA
    rts
.endproc

; The stage's own bank at $8000, its chip bank at $A000.
.proc MapStageBanks
    ldx #REG_LOW
    lda stage
    jsr SetBank
    ldx #REG_HIGH
    lda chipStage
    jmp SetBank
.endproc

.proc ReadPad
    lda padNow
    sta temp
    lda #1
    sta JOYPAD1
    lda #0
    sta JOYPAD1
    ldx #8
@bit:
    lda JOYPAD1
    lsr a
    rol padNow
    dex
    bne @bit
    lda temp
    eor #$FF
    and padNow
    sta padPressed
    rts
.endproc

.proc HandleButtons
    lda padPressed
    and #BUTTON_RIGHT
    beq @notRight
    ldx room
    inx
    cpx #ROOM_COUNT
    bcc :+
    ldx #0
:   stx room
    jmp DrawRoom
@notRight:
    lda padPressed
    and #BUTTON_LEFT
    beq @notLeft
    ldx room
    bne :+
    ldx #ROOM_COUNT
:   dex
    stx room
    jmp DrawRoom
@notLeft:
    lda padPressed
    and #BUTTON_SELECT
    beq @notSelect
    ldx stage
    inx
    cpx #STAGE_COUNT
    bcc :+
    ldx #0
:   stx stage
    jsr LoadStage
    jmp DrawRoom
@notSelect:
    lda padPressed
    and #BUTTON_START
    beq @notStart
    lda markersShown
    eor #1
    sta markersShown
@notStart:
    lda padNow
    and #BUTTON_DOWN
    beq @notDown
    lda scroll
    cmp #EXTRA_LINES
    bcs @notDown
    inc scroll
@notDown:
    lda padNow
    and #BUTTON_UP
    beq @notUp
    lda scroll
    beq @notUp
    dec scroll
@notUp:
    rts
.endproc

; Takes the current stage's palette set 0 and animation slots, restarts the animation and
; goes back to room 0 at the top.
.proc LoadStage
    lda stage
    cmp #SHARING_STAGE_A
    beq @shared
    cmp #SHARING_STAGE_B
    bne @own
@shared:
    lda #SHARED_STAGE
@own:
    sta chipStage
    jsr MapStageBanks
    ldx #15
@colour:
    lda PALETTE_SET0,x
    sta palette,x
    dex
    bpl @colour
    ldx #3
@slot:
    lda ANIME_SET0,x
    sta animeSelect,x
    lda #0
    sta animeWait,x
    sta animeFrame,x
    dex
    bpl @slot
    lda #0
    sta room
    sta scroll
    rts
.endproc

; Writes the whole room into the name tables with the screen off, then shows it.
.proc DrawRoom
    lda #0
    sta showScreen
    jsr WaitFrame
    jsr MapStageBanks
    ; Background tiles 0..127 from the first bank byte's two 1 KB pages, 128..255 from the
    ; second's.
    ldx #REG_TILES0
    lda BANK_BYTES
    jsr SetBank
    ldx #REG_TILES0 + 1
    lda BANK_BYTES
    clc
    adc #1
    jsr SetBank
    ldx #REG_TILES1
    lda BANK_BYTES + 1
    jsr SetBank
    ldx #REG_TILES1 + 1
    lda BANK_BYTES + 1
    clc
    adc #1
    jsr SetBank

    ; The room's map set: 64 bytes, one 32x32 chip per cell, row by row.
    ldx room
    lda MAP_TABLE,x
    and #31
    ldx #0
    stx mapSetPointer + 1
    asl a
    asl a
    asl a                    ; 8 * 31 still fits a byte
    asl a
    rol mapSetPointer + 1
    asl a
    rol mapSetPointer + 1
    asl a
    rol mapSetPointer + 1
    sta mapSetPointer
    lda mapSetPointer + 1
    clc
    adc #>MAPSET_TABLE
    sta mapSetPointer + 1

    lda #0
    sta chipRow
@row:
    lda #0
    sta chipColumn
@cell:
    lda chipRow
    asl a
    asl a
    asl a
    ora chipColumn
    tay
    lda (mapSetPointer),y
    jsr DrawCell
    lda chipRow
    asl a
    asl a
    asl a
    ora chipColumn
    tax
    lda cellAttr
    sta attributes,x
    inc chipColumn
    lda chipColumn
    cmp #8
    bne @cell
    jsr WriteRowTiles
    inc chipRow
    lda chipRow
    cmp #8
    bne @row

    ; Attributes: all 8 rows in the upper name table; the lower halves of the last row's
    ; cells (the 16 lines below the screen) again as the top of the name table below.
    bit PPUSTATUS
    lda #$23
    sta PPUADDR
    lda #$C0
    sta PPUADDR
    ldx #0
@attribute:
    lda attributes,x
    sta PPUDATA
    inx
    cpx #64
    bne @attribute
    lda #$2B
    sta PPUADDR
    lda #$C0
    sta PPUADDR
    ldx #0
@lower:
    lda attributes + 56,x
    lsr a
    lsr a
    lsr a
    lsr a
    sta PPUDATA
    inx
    cpx #8
    bne @lower

    lda #1
    sta showScreen
    rts
.endproc

; Expands the 32x32 chip in A at column chipColumn into rowTiles; its four palettes go to
; cellAttr as an attribute byte.
.proc DrawCell
    ldx #0
    stx pointer + 1
    asl a
    rol pointer + 1
    asl a
    rol pointer + 1
    sta pointer
    lda pointer + 1
    clc
    adc #>CHIP32_TABLE
    sta pointer + 1
    lda chipColumn
    asl a
    asl a
    sta cellBase
    lda #0
    sta cellAttr
    ldy #3
@quarter:
    sty quarter
    lda (pointer),y
    tax
    ; Quarters 3..0 are shifted in from the top: quarter 0 ends in bits 1-0.
    asl cellAttr
    asl cellAttr
    lda PROPERTY_TABLE,x
    and #3
    ora cellAttr
    sta cellAttr
    lda CHIP16_TABLE,x
    sta tile0
    lda CHIP16_TABLE + $100,x
    sta tile1
    lda CHIP16_TABLE + $200,x
    sta tile2
    lda CHIP16_TABLE + $300,x
    sta tile3
    lda cellBase
    clc
    adc QuarterOffset,y
    tax
    lda tile0
    sta rowTiles,x
    lda tile1
    sta rowTiles + 1,x
    lda tile2
    sta rowTiles + 32,x
    lda tile3
    sta rowTiles + 33,x
    ldy quarter
    dey
    bpl @quarter
    rts
.endproc

; Writes the four tile rows of chip row chipRow: rows 0..29 of the room go to the name
; table at $2000, rows 30 and 31 to the top of the one at $2800.
.proc WriteRowTiles
    bit PPUSTATUS
    lda chipRow
    cmp #7
    beq @last
    ; $2000 + 128 * chipRow
    lsr a
    ora #$20
    sta PPUADDR
    lda chipRow
    ror a
    ror a
    and #$80
    sta PPUADDR
    ldx #0
@all:
    lda rowTiles,x
    sta PPUDATA
    inx
    bpl @all
    rts
@last:
    lda #$23
    sta PPUADDR
    lda #$80
    sta PPUADDR
    ldx #0
@upper:
    lda rowTiles,x
    sta PPUDATA
    inx
    cpx #64
    bne @upper
    lda #$28
    sta PPUADDR
    lda #$00
    sta PPUADDR
@lower:
    lda rowTiles,x
    sta PPUDATA
    inx
    bpl @lower
    rts
.endproc

; One step of the palette animation, as the editor's frame timer steps it: for each
; animated slot a wait counter runs up to the record's wait, then the next frame's three
; colours replace the palette entries the record names.
.proc StepAnimation
    ldx #REG_LOW
    lda #ANIME_BANK
    jsr SetBank
    ldx #0
@slot:
    lda animeSelect,x
    bmi @animated
    jmp @next
@animated:
    inc animeWait,x
    and #$7F
    tay
    lda ANIME_POINTERS,y
    clc
    adc #<ANIME_RECORDS
    sta pointer
    lda #>ANIME_RECORDS
    adc #0
    sta pointer + 1
    ; A wait counter that wrapped to 0 has passed 255, and so any wait.
    lda animeWait,x
    beq @step
    ldy #1
    lda (pointer),y
    cmp animeWait,x
    bcc @step
    jmp @next
@step:
    lda #0
    sta animeWait,x
    ldy #2
    lda (pointer),y
    sta entry
    ; The frame's triple number lies at record + 3 + frame.
    lda pointer
    clc
    adc animeFrame,x
    sta framePointer
    lda pointer + 1
    adc #0
    sta framePointer + 1
    ldy #3
    lda (framePointer),y
    ; Its colours at ANIME_TRIPLES + 3 * triple.
    sta temp
    lda #0
    sta framePointer + 1
    lda temp
    asl a
    rol framePointer + 1
    clc
    adc temp
    bcc :+
    inc framePointer + 1
:   clc
    adc #<ANIME_TRIPLES
    sta framePointer
    lda framePointer + 1
    adc #>ANIME_TRIPLES
    sta framePointer + 1
    stx slot
    ldy #0
@colour:
    lda (framePointer),y
    ldx entry
    cpx #16
    bcs :+
    sta palette,x
:   inc entry
    iny
    cpy #3
    bne @colour
    ldx slot
    inc animeFrame,x
    ldy #0
    lda (pointer),y
    cmp animeFrame,x
    bcs @next
    lda #0
    sta animeFrame,x
@next:
    inx
    cpx #4
    beq @restore
    jmp @slot
@restore:
    ldx #REG_LOW
    lda stage
    jmp SetBank
.endproc

; Fills the sprite table with a marker for each object of the room, read the way the
; editor reads the object table: entries grouped by ascending room, up to the first entry
; out of order or beyond the last room.
.proc BuildSprites
    lda #$FF
    ldx #0
@hide:
    sta OAM,x
    inx
    bne @hide
    lda markersShown
    beq @done
    stx oamIndex
    stx previousRoom
    ldy #0
@entry:
    lda OBJECT_ROOM,y
    cmp #ROOM_COUNT
    bcs @done
    cmp previousRoom
    bcc @done
    sta previousRoom
    cmp room
    bne @next
    jsr AddMarker
@next:
    iny
    cpy #OBJECT_TABLE_SIZE
    bne @entry
@done:
    rts
.endproc

; Four sprites, a 16x16 outline around object Y's centre with its kind in two digits;
; pieces off the screen are left out.
.proc AddMarker
    lda OBJECT_KIND,y
    sta kind
    ; Screen lines of the top and bottom halves; a borrow means above the screen.
    lda OBJECT_Y,y
    sec
    sbc scroll
    sta bottomY
    lda #0
    sbc #0
    sta bottomValid          ; 0 when on or below the top line, $FF above
    lda bottomY
    sec
    sbc #8
    sta spriteY
    lda bottomValid
    sbc #0
    sta topValid
    lda bottomY
    cmp #240
    bcc :+
    lda #$FF
    sta bottomValid
:   lda spriteY
    cmp #240
    bcc :+
    lda #$FF
    sta topValid
:   lda OBJECT_X,y
    sec
    sbc #8
    sta spriteX
    bcc @right               ; no left half left of the screen

    lda topValid
    bne :+
    lda kind
    lsr a
    lsr a
    lsr a
    lsr a
    ldx spriteY
    jsr PutSprite
:   lda bottomValid
    bne @right
    lda #MARKER_BOTTOM
    ldx bottomY
    jsr PutSprite
@right:
    lda OBJECT_X,y
    sta spriteX
    lda topValid
    bne :+
    lda kind
    and #$0F
    ora #MARKER_LOW_DIGIT
    ldx spriteY
    jsr PutSprite
:   lda bottomValid
    bne :+
    lda #MARKER_BOTTOM + 1
    ldx bottomY
    jsr PutSprite
:   rts
.endproc

; A = tile, X = screen line, spriteX = column; nothing once the table is full.
.proc PutSprite
    sta temp
    txa
    ldx oamIndex
    cpx #$FF
    beq @full
    ; The console draws a sprite one line below its table entry.
    sec
    sbc #1
    sta OAM,x
    lda temp
    sta OAM + 1,x
    lda #0
    sta OAM + 2,x
    lda spriteX
    sta OAM + 3,x
    txa
    clc
    adc #4
    bne :+
    lda #$FF
:   sta oamIndex
@full:
    rts
.endproc

.proc Nmi
    pha
    txa
    pha
    lda showScreen
    bne @shown
    sta PPUMASK
    jmp @done
@shown:
    lda #0
    sta OAMADDR
    lda #>OAM
    sta OAMDMA
    bit PPUSTATUS
    lda #$3F
    sta PPUADDR
    lda #$00
    sta PPUADDR
    ldx #0
@colour:
    lda palette,x
    sta PPUDATA
    inx
    cpx #16
    bne @colour
    ; Sprite palette 0; its first entry is the shared background colour.
    lda palette
    sta PPUDATA
    lda #MARKER_WHITE
    sta PPUDATA
    lda #MARKER_BLACK
    sta PPUDATA
    lda #MARKER_WHITE
    sta PPUDATA
    lda #CTRL_SHOWN
    sta PPUCTRL
    lda #0
    sta PPUSCROLL
    lda scroll
    sta PPUSCROLL
    lda #MASK_SHOWN
    sta PPUMASK
@done:
    inc frameCount
    pla
    tax
    pla
    rti
.endproc

.proc Irq
    rti
.endproc

.segment "VECTORS"
    .word Nmi, Reset, Irq
