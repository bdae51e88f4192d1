-- Drives the demo cartridge's viewer in the emulator. The script written in front of this
-- one defines Stops: for each, the buttons that reach a room from the previous stop, the
-- 16 colours of the stage's palette set 0 and the file to write. At a stop the script
-- either waits until the screen shows that palette (the palette animation returns to it)
-- and writes the whole 256x240 screen as a binary PPM picture, or, when the stop asks for
-- frames, writes the 16 background colours of that many frames, one frame a line.

local HOLD_FRAMES = 8
local SCROLL_FRAMES = 24
local PALETTE_FRAMES = 900

local function advance(frames)
    for _ = 1, frames do
        emu.frameadvance()
    end
end

local function hold(button, frames)
    local input = {}
    input[button] = true
    for _ = 1, frames do
        joypad.set(1, input)
        emu.frameadvance()
    end
    for _ = 1, HOLD_FRAMES do
        joypad.set(1, {})
        emu.frameadvance()
    end
end

-- Entries 4, 8 and 12 never reach the screen: colour 0 of every palette shows entry 0.
local function paletteShown(colours)
    for i = 0, 15 do
        if (i % 4 ~= 0 or i == 0) and ppu.readbyte(0x3F00 + i) ~= colours[i + 1] % 64 then
            return false
        end
    end
    return true
end

local function waitForPalette(colours)
    local steady = 0
    for _ = 1, PALETTE_FRAMES do
        if paletteShown(colours) then
            steady = steady + 1
            if steady >= 2 then
                return true
            end
        else
            steady = 0
        end
        emu.frameadvance()
    end
    return false
end

local function writeColours(path, frames)
    local out = assert(io.open(path, "w"))
    for _ = 1, frames do
        local colours = {}
        for i = 0, 15 do
            colours[i + 1] = string.format("%02X", ppu.readbyte(0x3F00 + i))
        end
        out:write(table.concat(colours, " "), "\n")
        emu.frameadvance()
    end
    out:close()
end

local function writeScreen(path)
    local out = assert(io.open(path, "wb"))
    out:write("P6\n256 240\n255\n")
    local row = {}
    for y = 0, 239 do
        for x = 0, 255 do
            local r, g, b = emu.getscreenpixel(x, y, true)
            row[x + 1] = string.char(r, g, b)
        end
        out:write(table.concat(row))
    end
    out:close()
end

emu.speedmode("maximum")
advance(30)
for _, stop in ipairs(Stops) do
    for _, button in ipairs(stop.presses) do
        if button == "up" or button == "down" then
            hold(button, SCROLL_FRAMES)
        else
            hold(button, HOLD_FRAMES)
        end
    end
    if stop.frames then
        writeColours(stop.file, stop.frames)
    elseif waitForPalette(stop.palette) then
        writeScreen(stop.file)
    end
end
emu.exit()
