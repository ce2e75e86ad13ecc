#!/usr/bin/env python3
"""Writes the sample catalog: fictitious Japanese securities with daily prices.

Run from anywhere:  python3 examples/make_sample.py
It rewrites examples/data/ and examples/sample.lst. The output depends only on the seed
below, so a rerun gives the same bytes. The price files come in the shapes people export:
English and Japanese headers, Shift-JIS, header-less, quoted with thousands separators,
tab and semicolon separated, newest first, close only, and a SQLite database.
"""

import datetime
import math
import pathlib
import random
import sqlite3

SEED = 20241230
FIRST_DAY = datetime.date(2023, 6, 1)
LAST_DAY = datetime.date(2024, 12, 30)
HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE / "data"
SOURCE = "examples/data"            # as the list file names it: relative to the repository
DATABASE = "prices.db"

# Days the Tokyo market was closed on a weekday in the period.
HOLIDAYS = {
    "2023-07-17", "2023-08-11", "2023-09-18", "2023-09-23", "2023-10-09", "2023-11-03",
    "2023-11-23", "2024-01-01", "2024-01-02", "2024-01-03", "2024-01-08", "2024-02-12",
    "2024-02-23", "2024-03-20", "2024-04-29", "2024-05-03", "2024-05-06", "2024-07-15",
    "2024-08-12", "2024-09-16", "2024-09-23", "2024-10-14", "2024-11-04", "2024-11-22",
    "2023-12-29",
}

# code, display name, list type, file shape. Shapes are written by the functions below.
SECURITIES = [
    ("1301", "北斗精機", 0, "yahoo"),
    ("1302", "瑞穂化成", 1, "yahoo"),
    ("1303", "東雲電機", 2, "yahoo_nulls"),
    ("2401", "青葉製薬", 1, "kabu_sjis"),
    ("2402", "桜川建設", 2, "kabu_sjis"),
    ("2403", "白峰食品", 0, "kabu_sjis"),
    ("3501", "朝凪海運", 0, "headerless"),
    ("3502", "若葉フィナンシャル", 3, "headerless"),
    ("4601", "紅葉不動産", 0, "investing"),
    ("4602", "銀河通信", 1, "investing"),
    ("5701", "大和路鉄道", 0, "nasdaq"),
    ("5702", "富嶽重工業", 2, "nasdaq"),
    ("6801", "鳴門水産", 0, "tabbed"),
    ("6802", "琥珀ホールディングス", 1, "tabbed"),
    ("7901", "星川電子", 0, "semicolon"),
    ("8101", "浜風商事", 0, "nen_utf8"),
    ("8102", "雪村紡績", 2, "nen_utf8"),
    ("8201", "陽だまり薬局", 0, "close_only"),
    ("8301", "月影ゲームス", 0, "timestamp"),
    ("8401", "翠嵐化学", 0, "own_file"),
    ("9101", "光陵自動車", 5, "database"),
    ("9102", "千鳥精密", 5, "database"),
    ("9103", "霧島エネルギー", 5, "database"),
    ("9901", "常盤ソフト", 0, "missing"),
]


def trading_days(rng):
    """Weekdays that are not holidays, less a few days of a trading halt."""
    days = []
    day = FIRST_DAY
    while day <= LAST_DAY:
        if day.weekday() < 5 and day.isoformat() not in HOLIDAYS:
            days.append(day)
        day += datetime.timedelta(days=1)
    halt = rng.randrange(40, len(days) - 40)
    if rng.random() < 0.3:
        del days[halt:halt + rng.randrange(2, 6)]
    return days


def tick(price):
    if price < 3000:
        return 1.0
    if price < 30000:
        return 5.0
    return 10.0


def round_tick(price, fine):
    step = 0.5 if fine else tick(price)
    return max(step, round(price / step) * step)


def make_series(rng, fine):
    """A seeded random walk with trend regimes, opening gaps and volume bursts."""
    days = trading_days(rng)
    price = rng.choice([380, 720, 1150, 1850, 2600, 4300, 7800, 15200]) * rng.uniform(0.8, 1.2)
    vol = rng.uniform(0.011, 0.026)
    base_volume = rng.choice([80_000, 250_000, 900_000, 3_000_000])
    drift = 0.0
    bars = []
    for i, day in enumerate(days):
        if i % 55 == 0:
            drift = rng.uniform(-0.0025, 0.003)
        gap = rng.gauss(0, vol * 0.35)
        if rng.random() < 0.02:                      # earnings day
            gap *= 4
        open_ = round_tick(price * math.exp(gap), fine)
        close = round_tick(open_ * math.exp(rng.gauss(drift, vol)), fine)
        high = round_tick(max(open_, close) * (1 + abs(rng.gauss(0, vol * 0.45))), fine)
        low = round_tick(min(open_, close) * (1 - abs(rng.gauss(0, vol * 0.45))), fine)
        high = max(high, open_, close)
        low = min(low, open_, close)
        move = abs(math.log(close / price)) / vol
        volume = base_volume * rng.lognormvariate(0, 0.35) * (1 + 0.6 * move)
        volume = max(100, int(round(volume / 100)) * 100)
        bars.append((day, open_, high, low, close, volume))
        price = close
    return bars


def num(value):
    """A price as exports write it: no point for whole numbers."""
    return f"{value:.0f}" if value == int(value) else f"{value:.1f}"


def write(name, text, encoding="utf-8", newline="\n"):
    (DATA / name).write_bytes(text.replace("\n", newline).encode(encoding))


def yahoo(code, name, bars, null_days=()):
    lines = ["Date,Open,High,Low,Close,Adj Close,Volume"]
    for d, o, h, l, c, v in bars:
        if d in null_days:
            lines.append(f"{d.isoformat()},null,null,null,null,null,null")
            continue
        lines.append(f"{d.isoformat()},{o:.6f},{h:.6f},{l:.6f},{c:.6f},{c * 0.97:.6f},{v}")
    write(f"{code}.csv", "\n".join(lines) + "\n")


def yahoo_nulls(code, name, bars, rng):
    yahoo(code, name, bars, {bars[i][0] for i in rng.sample(range(len(bars)), 3)})


def kabu_sjis(code, name, bars):
    # Japanese download sites: a title line, Japanese headers, newest first, CR LF.
    lines = [f"{code} 東証プライム {name}", "日付,始値,高値,安値,終値,出来高,終値調整値"]
    for d, o, h, l, c, v in reversed(bars):
        lines.append(f"{d.isoformat()},{num(o)},{num(h)},{num(l)},{num(c)},{v},{num(c)}")
    write(f"{code}.csv", "\n".join(lines) + "\n", encoding="cp932", newline="\r\n")


def headerless(code, name, bars):
    lines = [f"{d:%Y%m%d},{num(o)},{num(h)},{num(l)},{num(c)},{v}" for d, o, h, l, c, v in bars]
    write(f"{code}.txt", "\n".join(lines) + "\n")


def investing(code, name, bars):
    def quoted(value):
        return f'"{value:,.1f}"'

    def volume(value):
        return f'"{value / 1e6:.2f}M"' if value >= 1e6 else f'"{value / 1e3:.2f}K"'

    lines = ['"Date","Price","Open","High","Low","Vol.","Change %"']
    previous = {}
    for i, (d, o, h, l, c, v) in enumerate(bars):
        previous[d] = bars[i - 1][4] if i else c
    for d, o, h, l, c, v in reversed(bars):
        change = (c / previous[d] - 1) * 100
        lines.append(f'"{d:%m/%d/%Y}",{quoted(c)},{quoted(o)},{quoted(h)},{quoted(l)},'
                     f'{volume(v)},"{change:.2f}%"')
    write(f"{code}.csv", "\n".join(lines) + "\n")


def nasdaq(code, name, bars):
    lines = ["Date,Close/Last,Volume,Open,High,Low"]
    for d, o, h, l, c, v in reversed(bars):
        lines.append(f"{d:%m/%d/%Y},${c:.2f},{v},${o:.2f},${h:.2f},${l:.2f}")
    write(f"{code}.CSV", "\n".join(lines) + "\n")


def tabbed(code, name, bars):
    lines = ["Date\tOpen\tHigh\tLow\tClose\tVolume"]
    for d, o, h, l, c, v in bars:
        lines.append(f"{d.year}/{d.month}/{d.day}\t{num(o)}\t{num(h)}\t{num(l)}\t{num(c)}\t{v}")
    write(f"{code}.txt", "\n".join(lines) + "\n")


def semicolon(code, name, bars):
    lines = ["Date;Open;High;Low;Close;Volume"]
    for d, o, h, l, c, v in bars:
        lines.append(f"{d:%Y.%m.%d};{num(o)};{num(h)};{num(l)};{num(c)};{v}")
    write(f"{code}.csv", "\n".join(lines) + "\n")


def nen_utf8(code, name, bars):
    lines = ["日付,始値,高値,安値,終値,出来高,売買代金"]
    for d, o, h, l, c, v in reversed(bars):
        lines.append(f"{d.year}年{d.month}月{d.day}日,{num(o)},{num(h)},{num(l)},{num(c)},{v},"
                     f"{int(c * v)}")
    write(f"{code}.csv", "\ufeff" + "\n".join(lines) + "\n")


def close_only(code, name, bars):
    lines = ["Date,Close"] + [f"{d.isoformat()},{num(c)}" for d, o, h, l, c, v in bars]
    write(f"{code}.csv", "\n".join(lines) + "\n")


def timestamp(code, name, bars):
    lines = ["Timestamp,Open,High,Low,Close,Volume"]
    for d, o, h, l, c, v in bars:
        lines.append(f"{d.isoformat()}T15:00:00+09:00,{num(o)},{num(h)},{num(l)},{num(c)},{v}")
    write(f"{code}.csv", "\n".join(lines) + "\n")


def own_file(code, name, bars):
    (DATA / "single").mkdir(exist_ok=True)
    lines = ["Date,Open,High,Low,Close,Volume"]
    lines += [f"{d.isoformat()},{num(o)},{num(h)},{num(l)},{num(c)},{v}"
              for d, o, h, l, c, v in bars]
    write(f"single/{code}_daily.csv", "\n".join(lines) + "\n")


def source_of(code, shape):
    if shape == "database":
        return f"{SOURCE}/{DATABASE}"
    if shape == "own_file":
        return f"{SOURCE}/single/{code}_daily.csv"
    return SOURCE


def main():
    DATA.mkdir(exist_ok=True)
    for old in list(DATA.glob("*")) + list(DATA.glob("single/*")):
        if old.is_file():
            old.unlink()
    database = sqlite3.connect(DATA / DATABASE)
    database.execute("CREATE TABLE prices(code TEXT, date TEXT, open REAL, high REAL,"
                     " low REAL, close REAL, volume REAL)")
    writers = {"yahoo": yahoo, "kabu_sjis": kabu_sjis, "headerless": headerless,
               "investing": investing, "nasdaq": nasdaq, "tabbed": tabbed,
               "semicolon": semicolon, "nen_utf8": nen_utf8, "close_only": close_only,
               "timestamp": timestamp, "own_file": own_file}
    list_lines = []
    for index, (code, name, kind, shape) in enumerate(SECURITIES):
        rng = random.Random(SEED * 100 + index)
        bars = make_series(rng, fine=shape == "investing")
        if shape == "database":
            database.executemany("INSERT INTO prices VALUES (?, ?, ?, ?, ?, ?, ?)",
                                 [(code, d.isoformat(), o, h, l, c, v)
                                  for d, o, h, l, c, v in bars])
        elif shape == "yahoo_nulls":
            yahoo_nulls(code, name, bars, rng)
        elif shape != "missing":
            writers[shape](code, name, bars)
        list_lines.append(f"{kind},{source_of(code, shape)},{code},{name}")
    database.execute("CREATE INDEX prices_code ON prices(code, date)")
    database.commit()
    database.close()
    (HERE / "sample.lst").write_bytes(("\n".join(list_lines) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
