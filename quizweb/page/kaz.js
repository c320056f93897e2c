// The test window of a KAZ test page. The engine (the window's model in WebAssembly, see
// quizweb/DESIGN.md) decides everything about the test; this script draws the window with
// HTML elements, forwards each action of the learner to the engine as one call, and applies
// the update the call answers with. Written without modules or libraries, in the syntax of
// ES2017, which browsers some years older than the engine's needs still run, far enough to
// tell the learner that the browser is too old.
//
// For the tests, window.kaz = {
//   ready:      a Promise, settled once the page has shown what it can: resolves to "ok" (the
//               window), "damaged" or "newer" (the test's fault), "old" (a browser too old);
//   quiz:       the engine's Quiz, null until it exists;
//   lastUpdate: the last update applied, as an object;
//   rows(list):     the texts of all rows of phrase list `list` (0, 1, 2), a copy; the list
//                   draws only the rows in view, so its option elements hold only those;
//   selected(list): that list's selected row, -1 for none;
//   option(list, row): scrolls the list so that `row` shows, as the learner would scroll it,
//                   and answers the row's drawn option element (null for no such row).
// }
// The page's other parts (scorm.js) follow the test through window.kaz.watch(fn): fn(update)
// is called after each update is shown; what it throws is its own and leaves the test going.
'use strict';

(function () {
  // ------------------------------------------------------------------ the layout, in twips
  // The window's and the dialog's layouts come with the engine's first update (`layout`:
  // places in twips, captions, tooltips, colours); the page draws 15 twips a CSS pixel, as
  // the desktop does. Tab order is the order of the elements in kaz.html.
  const TWIPS_PER_PX = 15;
  // The faces that stand in for the layout's font where a system lacks it.
  const STAND_INS = '"Liberation Serif", Tinos, serif';
  // The font families the page offers, which the appearance dialog's hidden font list holds:
  // those its style names and those browsers map to a face on every system.
  const PAGE_FONTS = ['Times New Roman', 'Liberation Serif', 'Tinos', 'DejaVu Serif', 'DejaVu Sans',
    'Arial', 'Georgia', 'Verdana'];
  const SEARCH_INTERVAL = 1000; // ms within which typed letters make one search

  const MESSAGES = {
    damaged: 'Тази страница е повредена: тестът в нея е променен или непълен. Поискайте я отново от учителя.',
    newer: 'Тази страница е направена с по-нова версия на KAZ. Поискайте я отново от учителя.',
    old: 'Този браузър е твърде стар за теста. Отворете страницата в съвременен Chrome, Edge, Firefox или Safari.',
  };

  const px = (twips) => Math.round(twips / TWIPS_PER_PX);
  const $ = (id) => document.getElementById(id);
  const pointsPx = (size) => size * 96 / 72 + 'px';

  // A font family's name as CSS writes it.
  const quoted = (name) => '"' + String(name).replace(/["\\]/g, '\\$&') + '"';

  function place(el, rect) {
    el.style.left = px(rect[0]) + 'px';
    el.style.top = px(rect[1]) + 'px';
    el.style.width = px(rect[2]) + 'px';
    el.style.height = px(rect[3]) + 'px';
  }

  // ------------------------------------------------------------------ the page's parts
  const win = $('kaz');
  const client = $('client');
  const stage = $('stage');
  const holder = $('holder');
  const counter = $('ndapis');
  const textBox = $('prowerka0');
  const verdict = $('prowerka1');
  const thumbnail = $('grafika0');
  const pictureWindow = $('graphika');
  const buttons = [0, 1, 2, 3].map((i) => $('uprawl' + i));
  const menuItems = [$('menu-izhod'), $('menu-cwqt')];
  // The controls that take the focus, in the window's Tab order.
  const tabOrder = Array.prototype.filter.call(client.children, (el) => el !== counter);

  let quiz = null;
  let layout = null; // the start update's `layout`
  let fontFallback = STAND_INS; // the layout's font, then its stand-ins
  // The layout's background of each window control that has one, which it shows where the
  // test's look gives none.
  const backgrounds = new Map();
  let windowFocus = null; // the window's control that had the focus last
  let ended = false;
  let scale = 1;
  const state = {ready: null, quiz: null, lastUpdate: null};
  window.kaz = state;
  const watchers = [];
  state.watch = (fn) => { watchers.push(fn); };

  // A list box: its element, the engine's call for a row chosen in it, its rows' texts, the
  // selected row and the current one (the row the keys move from; it stays where the selected
  // row was taken away, as in a Qt list view, while nothing is selected). It draws only the
  // rows in view and a margin round them (`drawList`): `spacer` gives the list the height of
  // all its rows, `drawn` holds the option elements drawn, in the rows' order from `from`.
  function makeList(el, call) {
    const spacer = document.createElement('div');
    spacer.className = 'spacer';
    spacer.setAttribute('aria-hidden', 'true');
    el.appendChild(spacer);
    return {el: el, call: call, texts: [], selected: -1, current: -1, search: '', searchTime: 0,
      spacer: spacer, rowHeight: 0, drawn: [], from: 0, dirty: true, height: -1};
  }

  // The phrase lists.
  const lists = [0, 1, 2].map((i) => makeList($('slowo' + i), (row) => quiz.select(i, row)));
  state.rows = (i) => lists[i].texts.slice();
  state.selected = (i) => lists[i].selected;
  state.option = (i, row) => {
    const list = lists[i];
    if (!(row >= 0 && row < list.texts.length)) return null;
    const h = rowHeightOf(list);
    const el = list.el;
    if (row * h < el.scrollTop || (row + 1) * h > el.scrollTop + el.clientHeight) el.scrollTop = row * h;
    drawList(list);
    return drawnRow(list, row);
  };

  // The appearance dialog: its controls, where it stands on the page (holder pixels) and its
  // scale there, the window's control that had the focus before it opened and the dialog's
  // own that had it last.
  const dialog = {
    el: $('cwiat'),
    client: $('cwiat-client'),
    swatch: $('piccolor'),
    labelCv: [0, 1, 2, 3, 4, 5, 6, 7, 8].map((i) => $('label-cv' + i)),
    sliders: [0, 1, 2].map((i) => $('slider' + i)),
    labelST: [0, 1, 2].map((i) => $('label-st' + i)),
    options: [0, 1, 2, 3].map((i) => $('option' + i)),
    sizes: makeList($('list-font1'), (row) => quiz.chooseSize(row)),
    sample: $('text-cv0'),
    menuItems: [$('mnu-zapis'), $('mnu-otkaz')],
    at: null,
    scale: 1,
    returnTo: null,
    lastFocus: null,
  };

  // A control where the layout puts it, with its caption (until the engine writes a text of
  // its own) and its tooltip, which is also its accessible name where `named`.
  function control(el, c, named) {
    place(el, c.place);
    if (c.caption !== undefined && !(el instanceof HTMLInputElement)) el.textContent = c.caption;
    if (c.tooltip !== undefined) {
      el.title = c.tooltip;
      if (named) el.setAttribute('aria-label', c.tooltip.trim());
    }
  }

  // The window's controls; a colour there is the control's background.
  function buildWindow(w) {
    const at = (el, c, named) => {
      control(el, c, named);
      backgrounds.set(el, c.colour || '');
      el.style.backgroundColor = c.colour || '';
    };
    lists.forEach((list, i) => at(list.el, w.lists[i], true));
    buttons.forEach((button, i) => at(button, w.buttons[i]));
    at(counter, w.counter);
    at(textBox, w.boxes[0]);
    at(verdict, w.boxes[1], true);
    at(thumbnail, w.thumbnail);
    client.style.height = px(w.clientHeight) + 'px';
    fontFallback = quoted(w.font) + ', ' + STAND_INS;
    client.style.fontFamily = fontFallback;
    client.style.fontSize = pointsPx(w.fontSize);
  }

  // A background from the engine, or the layout's where it gives none.
  function paint(el, colour) {
    el.style.backgroundColor = colour || backgrounds.get(el) || '';
  }

  // ------------------------------------------------------------------ lists
  // Every row of a list is one height, as in the desktop's list box, which scrolls a row at
  // a time; a list of 10,000 phrases draws the twenty or so rows in view and round them, and
  // draws them again as it scrolls or its rows change.
  const DRAW_MARGIN = 8; // rows drawn at least above and below those in view

  function rowHeightOf(list) {
    if (!list.rowHeight) list.rowHeight = parseFloat(getComputedStyle(list.el).lineHeight) || 18;
    return list.rowHeight;
  }

  // Applies one list's edits to its texts; the rows drawn are drawn afresh after.
  function editList(list, edits) {
    for (const edit of edits) {
      if (edit.reset) {
        list.texts = edit.reset.slice();
        list.selected = list.current = -1;
      } else if (edit.insert !== undefined) {
        const at = edit.insert;
        list.texts.splice.apply(list.texts, [at, 0].concat(edit.items));
        if (list.current >= at) list.current += edit.items.length;
        if (list.selected >= at) list.selected += edit.items.length;
      } else if (edit.remove !== undefined) {
        const at = edit.remove;
        list.texts.splice(at, edit.count);
        const n = list.texts.length;
        // A removed current row hands on to the row that follows it, or the one before.
        if (list.current >= at + edit.count) list.current -= edit.count;
        else if (list.current >= at) list.current = at < n ? at : n - 1;
        if (list.selected >= at + edit.count) list.selected -= edit.count;
        else if (list.selected >= at) list.selected = -1;
      } else if (edit.set !== undefined) {
        edit.items.forEach((text, k) => {
          if (edit.set + k < list.texts.length) list.texts[edit.set + k] = text;
        });
      }
    }
    list.dirty = true;
  }

  // All rows' height: the scroll height the list has.
  function sizeList(list) {
    const height = list.texts.length * rowHeightOf(list);
    if (height !== list.height) {
      list.spacer.style.height = height + 'px';
      list.height = height;
    }
  }

  // Draws the rows in view and the margin round them: an element drawn for a row that is
  // still drawn keeps it (a row pressed stays the element the click ends on), the others are
  // filled again. Each drawn option tells its place among all rows, and whether it is
  // selected; the current row is the list's active descendant. A row too narrow for its
  // phrase shows it cut with "…"; the whole phrase is then its tooltip and its accessible
  // description. The measures are read in one go, after all rows are written.
  function drawList(list) {
    const el = list.el;
    const n = list.texts.length;
    const h = rowHeightOf(list);
    sizeList(list);
    const top = Math.floor(el.scrollTop / h);
    const inView = Math.ceil(el.clientHeight / h) + 1;
    const margin = Math.max(DRAW_MARGIN, inView);
    const from = Math.max(0, Math.min(top, n) - margin);
    const to = Math.min(n, top + inView + margin);
    if (!list.dirty && from === list.from && to === from + list.drawn.length) {
      markCurrent(list);
      return;
    }
    // The elements of rows still drawn stay theirs (unless the rows changed); the rest are
    // free for the rows that come into the margin.
    const old = list.dirty ? [] : list.drawn;
    const keep = new Map();
    const free = list.dirty ? list.drawn.slice() : [];
    old.forEach((row, k) => {
      const r = list.from + k;
      if (r >= from && r < to) keep.set(r, row);
      else free.push(row);
    });
    const drawn = [];
    for (let r = from; r < to; ++r) {
      let row = keep.get(r);
      if (!row) {
        row = free.shift() || newRow(list);
        row.kazRow = -1;
      }
      if (row.kazRow !== r || list.dirty) {
        row.kazRow = r;
        if (row.textContent !== list.texts[r]) row.textContent = list.texts[r];
        row.style.top = r * h + 'px';
        row.setAttribute('aria-posinset', r + 1);
      }
      row.setAttribute('aria-setsize', n);
      const selected = r === list.selected ? 'true' : 'false';
      if (row.getAttribute('aria-selected') !== selected) row.setAttribute('aria-selected', selected);
      drawn.push(row);
    }
    free.forEach((row) => row.remove());
    // In the rows' order in the document, as a screen reader reads them.
    drawn.forEach((row, k) => {
      const at = el.children[k];
      if (at !== row) el.insertBefore(row, at);
    });
    list.drawn = drawn;
    list.from = from;
    list.dirty = false;
    markCurrent(list);
    const cut = drawn.map((row) => row.scrollWidth > row.clientWidth);
    drawn.forEach((row, k) => {
      if (cut[k]) {
        if (row.title !== row.textContent) {
          row.title = row.textContent;
          row.setAttribute('aria-description', row.textContent);
        }
      } else if (row.hasAttribute('title')) {
        row.removeAttribute('title');
        row.removeAttribute('aria-description');
      }
    });
  }

  function newRow(list) {
    const row = document.createElement('div');
    row.setAttribute('role', 'option');
    row.style.height = rowHeightOf(list) + 'px';
    return row;
  }

  // The drawn option of a row, or null.
  function drawnRow(list, row) {
    return row >= list.from && row < list.from + list.drawn.length ? list.drawn[row - list.from] : null;
  }

  function markSelection(list, row) {
    list.selected = row;
    if (row >= 0) list.current = row;
    list.drawn.forEach((el, k) => {
      const selected = list.from + k === row ? 'true' : 'false';
      if (el.getAttribute('aria-selected') !== selected) el.setAttribute('aria-selected', selected);
    });
    markCurrent(list);
  }

  // The current row is the list's active descendant, while it is drawn.
  function markCurrent(list) {
    const el = list.el;
    const id = el.id + '-current';
    const current = drawnRow(list, list.current);
    const old = $(id);
    if (old && old !== current) old.removeAttribute('id');
    if (current) {
      current.id = id;
      el.setAttribute('aria-activedescendant', id);
    } else {
      el.removeAttribute('aria-activedescendant');
    }
  }

  // Where the list scrolls to show its current row, by whole rows as the desktop list
  // scrolls (the top row shows whole); null where it shows already.
  function scrollFor(list) {
    const el = list.el;
    if (list.current < 0 || list.current >= list.texts.length) return null;
    const h = rowHeightOf(list);
    const top = list.current * h;
    if (top < el.scrollTop) return top;
    if (top + h > el.scrollTop + el.clientHeight) return Math.ceil((top + h - el.clientHeight) / h) * h;
    return null;
  }

  function showCurrent(list) {
    sizeList(list);
    const to = scrollFor(list);
    if (to !== null) list.el.scrollTop = to;
    drawList(list);
  }

  // The learner chose `row` of a list. An already selected row is no new choice.
  function choose(list, row) {
    if (ended || row < 0 || row >= list.texts.length) return;
    list.current = row;
    if (row === list.selected) {
      showCurrent(list);
      return;
    }
    act(() => list.call(row));
  }

  // Where a key moves in a list, as the desktop list box moves: a page is the rows that fit
  // less one; without a current row every key goes to the first.
  function moveTo(list, key) {
    const n = list.texts.length;
    const c = list.current;
    if (n === 0) return -1;
    if (c < 0) return 0;
    const h = rowHeightOf(list);
    const page = Math.max(1, Math.floor((list.el.clientHeight - h) / h));
    switch (key) {
      case 'ArrowUp': return Math.max(0, c - 1);
      case 'ArrowDown': return Math.min(n - 1, c + 1);
      case 'Home': return 0;
      case 'End': return n - 1;
      case 'PageUp': return Math.max(0, c - page);
      case 'PageDown': return Math.min(n - 1, c + page);
    }
    return -1;
  }

  // Typing selects the next row that starts with what was typed, case aside: letters typed
  // within a second of each other make one search, and the same letter again goes on to the
  // next row with it, as Qt's keyboardSearch.
  function search(list, letter) {
    const now = Date.now();
    const n = list.texts.length;
    if (n === 0) return;
    let skip = false;
    if (now - list.searchTime > SEARCH_INTERVAL) {
      list.search = letter;
      skip = list.current >= 0;
    } else {
      list.search += letter;
    }
    list.searchTime = now;
    let wanted = list.search;
    if (wanted.length > 1 && wanted.split('').every((ch) => ch === wanted[0])) {
      wanted = wanted[0];
      skip = true;
    }
    wanted = wanted.toLocaleLowerCase();
    let start = list.current >= 0 ? list.current : 0;
    if (skip) start = start < n - 1 ? start + 1 : 0;
    for (let k = 0; k < n; ++k) {
      const row = (start + k) % n;
      if (list.texts[row].toLocaleLowerCase().startsWith(wanted)) {
        choose(list, row);
        return;
      }
    }
  }

  function listKey(list, event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
    const key = event.key;
    if (['ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp', 'PageDown'].indexOf(key) >= 0) {
      event.preventDefault();
      choose(list, moveTo(list, key));
    } else if (key === ' ') {
      event.preventDefault();
      choose(list, list.current >= 0 ? list.current : 0);
    } else if (key.length === 1 || (key.length === 2 && key.codePointAt(0) > 0xffff)) {
      event.preventDefault();
      search(list, key);
    }
  }

  function rowAt(list, target) {
    const row = target.closest('[role="option"]');
    return row && row.parentNode === list.el && row.kazRow !== undefined ? row.kazRow : -1;
  }

  // ------------------------------------------------------------------ the other parts
  function fontFamily(name) {
    return name ? quoted(name) + ', ' + fontFallback : fontFallback;
  }

  function applyLook(el, look, withFont) {
    if (!look) return;
    paint(el, look.background);
    el.style.color = look.foreground || '';
    if (withFont) {
      el.style.fontFamily = fontFamily(look.font);
      el.style.fontSize = look.size ? pointsPx(look.size) : '';
    }
  }

  // The counter keeps its place and size: a text too wide for it is written smaller.
  function setCounter(text) {
    counter.textContent = text;
    counter.style.fontSize = '';
    let size = parseFloat(getComputedStyle(counter).fontSize);
    while (size > 1 && counter.scrollWidth > counter.clientWidth) {
      size -= 1;
      counter.style.fontSize = size + 'px';
    }
  }

  // A picture of the test as an object URL; the URL it replaces is given back.
  function showPicture(img, name) {
    if (img.src) URL.revokeObjectURL(img.src);
    const bytes = name ? quiz.picture(name) : null;
    if (bytes && bytes.length) {
      img.src = URL.createObjectURL(new Blob([bytes]));
      img.hidden = false;
    } else {
      img.removeAttribute('src');
      img.hidden = true;
    }
  }

  // A disabled control under the focus hands it on to the next one in the Tab order.
  function focusAfter(el) {
    const k = tabOrder.indexOf(el);
    for (let step = 1; step < tabOrder.length; ++step) {
      const next = tabOrder[(k + step) % tabOrder.length];
      if (!next.disabled && !next.hidden) {
        next.focus();
        return;
      }
    }
  }

  // ------------------------------------------------------------------ the picture window
  let pictureShownName = null;
  let pictureAt = null; // where the learner left it, stage pixels

  function showPictureWindow(p) {
    if (!p.visible) {
      pictureWindow.hidden = true;
      return;
    }
    $('graphika-caption').textContent = p.caption;
    const box = pictureWindow.querySelector('.picture-box');
    box.style.width = px(p.boxWidth) + 'px';
    box.style.height = px(p.boxHeight) + 'px';
    pictureWindow.style.width = px(p.width - layout.window.pictureFrame[0]) + 'px';
    if (p.picture !== pictureShownName) {
      showPicture(box.querySelector('img'), p.picture);
      pictureShownName = p.picture;
    }
    const opening = pictureWindow.hidden;
    pictureWindow.hidden = false;
    // Opened beside the test window where there is room, else at the stage's right edge;
    // shown afresh while open, it stays where the learner put it.
    if (opening || !pictureAt) {
      const room = stage.offsetWidth;
      const w = pictureWindow.offsetWidth;
      const right = win.offsetLeft + win.offsetWidth + 8;
      let x = right + w <= room ? right : win.offsetLeft - w - 8;
      if (x < 0) x = Math.max(0, room - w);
      pictureAt = [x, win.offsetTop];
    }
    movePictureWindow(pictureAt[0], pictureAt[1]);
  }

  function movePictureWindow(x, y) {
    const maxX = Math.max(0, stage.offsetWidth - pictureWindow.offsetWidth);
    pictureAt = [Math.min(Math.max(0, x), maxX), Math.max(0, y)];
    pictureWindow.style.left = pictureAt[0] + 'px';
    pictureWindow.style.top = pictureAt[1] + 'px';
    fit();
  }

  // A window over the page is dragged by its title bar with a mouse, a pen or a finger:
  // `where()` is where it stands, `move(x, y)` puts it elsewhere, and a pointer's move counts
  // `perPixel()` of its units a screen pixel.
  function dragByTitleBar(el, where, move, perPixel) {
    const bar = el.querySelector('.titlebar');
    let from = null;
    bar.addEventListener('pointerdown', (e) => {
      if (e.target.closest('button')) return;
      const at = where();
      from = [e.clientX, e.clientY, at[0], at[1]];
      bar.setPointerCapture(e.pointerId);
      e.preventDefault();
    });
    bar.addEventListener('pointermove', (e) => {
      if (!from) return;
      const k = perPixel();
      move(from[2] + (e.clientX - from[0]) * k, from[3] + (e.clientY - from[1]) * k);
    });
    const stop = () => { from = null; };
    bar.addEventListener('pointerup', stop);
    bar.addEventListener('pointercancel', stop);
  }

  function bindPictureWindow() {
    dragByTitleBar(pictureWindow, () => pictureAt, movePictureWindow, () => 1 / scale);
    // Closing it only hides it, as closing the desktop's picture window does.
    pictureWindow.querySelector('.close').addEventListener('click', () => {
      pictureWindow.hidden = true;
      fit();
    });
  }

  // ------------------------------------------------------------------ the appearance dialog
  // "Color" opens it; the engine's "dialog" gives all it shows, after "Color" and after each of
  // its actions, until "Запис" or "Отказ" closes it ({"open": false}). The page only places
  // its controls and forwards what the learner does with them.
  // A colour of the dialog's layout is the control's text colour.
  function buildDialog(l) {
    const d = dialog;
    const at = (el, c, named) => {
      control(el, c, named);
      el.style.color = c.colour || '';
    };
    $('cwiat-caption').textContent = l.caption;
    d.menuItems.forEach((item, i) => { item.textContent = l.menu[i]; });
    d.client.style.width = px(l.clientWidth) + 'px';
    d.client.style.height = px(l.clientHeight) + 'px';
    at(d.swatch, l.colour, true);
    const labelSize = pointsPx(l.labelFontSize);
    l.labels.forEach((c, i) => {
      at(d.labelCv[i], c);
      d.labelCv[i].hidden = !c.visible;
      d.labelCv[i].style.fontSize = labelSize;
    });
    l.sliders.forEach((c, i) => {
      const slider = d.sliders[i];
      at(slider, c, true);
      slider.min = l.sliderRange[0];
      slider.max = l.sliderRange[1];
      slider.step = l.sliderRange[2];
    });
    l.sliderLabels.forEach((c, i) => {
      at(d.labelST[i], c);
      d.labelST[i].style.fontSize = labelSize;
    });
    // An option button is the radio on a box of the colour its group has.
    l.options.forEach((c, i) => {
      const box = d.options[i].parentNode;
      at(box, c);
      box.hidden = !c.visible;
      d.options[i].setAttribute('aria-label', c.tooltip.trim());
    });
    at(d.sizes.el, l.sizes, true);
    d.sizes.el.style.fontSize = labelSize;
    at(d.sample, l.sample, true);
  }

  function showDialog(s) {
    const d = dialog;
    if (!s.open) {
      closeDialog();
      return;
    }
    d.client.style.backgroundColor = s.background || '';
    d.client.style.fontFamily = fontFamily(s.dialogFont);
    d.swatch.style.backgroundColor = s.colour || '';
    s.labels.forEach((text, i) => { d.labelCv[i].textContent = text; });
    s.sliderLabels.forEach((text, i) => { d.labelST[i].textContent = text; });
    s.sliders.forEach((value, i) => { d.sliders[i].value = value; });
    d.options.forEach((radio, i) => {
      radio.checked = i === s.option;
      radio.parentNode.style.backgroundColor = s.optionColours[i] || '';
    });
    d.sample.value = s.sample.text;
    d.sample.style.fontFamily = fontFamily(s.sample.font);
    d.sample.style.fontSize = pointsPx(s.sample.size);
    d.sample.style.backgroundColor = s.sample.background || '';
    d.sample.style.color = s.sample.foreground || '';

    const sizes = d.sizes;
    if (sizes.texts.join('\n') !== s.sizes.join('\n')) editList(sizes, [{reset: s.sizes}]);
    const opening = d.el.hidden;
    d.el.hidden = false;
    if (opening) placeDialog();
    markSelection(sizes, s.sizeRow);
    showCurrent(sizes);
  }

  // The menu's "Color": the dialog opens, or, open already, takes the focus back.
  function openAppearance() {
    const was = document.activeElement;
    const opening = dialog.el.hidden;
    act(() => quiz.colour());
    if (dialog.el.hidden) return;
    if (opening) {
      dialog.returnTo = client.contains(was) ? was : windowFocus;
      dialog.lastFocus = null;
    }
    const last = dialog.lastFocus;
    (last && dialog.el.contains(last) ? last : dialog.sliders[0]).focus();
  }

  // Closed, it hands the focus it had back to the window: to the control that had it before
  // the dialog opened, or to the first control that can take it.
  function closeDialog() {
    const d = dialog;
    if (d.el.hidden) return;
    const active = document.activeElement;
    const hadFocus = !active || active === document.body || d.el.contains(active);
    d.el.hidden = true;
    fit();
    const back = d.returnTo;
    d.returnTo = d.lastFocus = null;
    if (!hadFocus || ended) return;
    const first = tabOrder.find((el) => !el.disabled && !el.hidden);
    if (back && back.isConnected && !back.disabled && !back.hidden) back.focus();
    else if (first) first.focus();
  }

  // The dialog is as wide as its layout, scaled down as a whole where the screen is
  // narrower; its size here is on the page, scale included.
  function scaleDialog() {
    const d = dialog;
    const room = document.documentElement.clientWidth;
    d.scale = Math.min(1, room / d.el.offsetWidth);
    d.el.style.transform = d.scale < 1 ? 'scale(' + d.scale + ')' : '';
    return [d.el.offsetWidth * d.scale, d.el.offsetHeight * d.scale];
  }

  // Opened over the middle of the test window, within the part of the page in view.
  function placeDialog() {
    const size = scaleDialog();
    const x = (win.offsetLeft + win.offsetWidth / 2) * scale - size[0] / 2;
    const y = (win.offsetTop + win.offsetHeight / 2) * scale - size[1] / 2;
    const top = -holder.getBoundingClientRect().top;
    moveDialog(x, Math.max(top, Math.min(y, top + window.innerHeight - size[1])));
  }

  function moveDialog(x, y) {
    const d = dialog;
    const size = scaleDialog();
    const maxX = Math.max(0, document.documentElement.clientWidth - size[0]);
    d.at = [Math.min(Math.max(0, x), maxX), Math.max(0, y)];
    d.el.style.left = d.at[0] + 'px';
    d.el.style.top = d.at[1] + 'px';
    fit();
  }

  // The keys of a slider, as the desktop slider's: the arrows by its small change, PageUp and
  // PageDown by its large change, Home and End to its ends. Each is a move of the learner's,
  // even one at an end that leaves the value as it was.
  function sliderTo(value, key) {
    const [min, max, small, large] = layout.dialog.sliderRange;
    const to = {ArrowRight: value + small, ArrowUp: value + small, ArrowLeft: value - small,
      ArrowDown: value - small, PageUp: value + large, PageDown: value - large,
      Home: min, End: max}[key];
    return to === undefined ? null : Math.min(max, Math.max(min, to));
  }

  // The controls that take the focus, in the dialog's Tab order: the sliders, the colour
  // group (by its chosen option), the sizes, the sample.
  function dialogTabOrder() {
    const d = dialog;
    const option = d.options.find((o) => o.checked && !o.parentNode.hidden)
      || d.options.find((o) => !o.parentNode.hidden);
    return d.sliders.concat([option, d.sizes.el, d.sample]);
  }

  function bindDialog(menu) {
    const d = dialog;
    d.sliders.forEach((slider, i) => {
      slider.addEventListener('keydown', (e) => {
        if (e.altKey || e.ctrlKey || e.metaKey) return;
        const to = sliderTo(slider.valueAsNumber, e.key);
        if (to === null) return;
        e.preventDefault();
        act(() => quiz.moveSlider(i, to));
      });
      // A drag or a click on the track, step by step.
      slider.addEventListener('input', () => act(() => quiz.moveSlider(i, slider.valueAsNumber)));
    });
    // A click, Space or an arrow key on an option; a click on the chosen one chooses it again,
    // as on the desktop.
    d.options.forEach((radio, i) => radio.addEventListener('click', () => act(() => quiz.chooseOption(i))));
    bindList(d.sizes);

    d.el.addEventListener('focusin', (e) => {
      if (!menu.has(e.target)) d.lastFocus = e.target;
    });
    d.el.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' && !e.altKey && !e.ctrlKey && !e.metaKey) {
        e.preventDefault();
        act(() => quiz.cancel());
      } else if (e.key === 'Tab' && !e.altKey && !e.ctrlKey && !e.metaKey) {
        // The Tab key goes round the dialog's controls, as in a window of its own.
        const order = dialogTabOrder();
        const edge = e.shiftKey ? order[0] : order[order.length - 1];
        if (document.activeElement === edge) {
          e.preventDefault();
          order[e.shiftKey ? order.length - 1 : 0].focus();
        }
      }
    });
    dragByTitleBar(d.el, () => d.at, moveDialog, () => 1);
  }

  // ------------------------------------------------------------------ updates
  // One call of the engine, and its answer shown. Nothing runs while the test has ended.
  function act(call) {
    if (ended || !quiz) return;
    apply(JSON.parse(call()));
  }

  function apply(u) {
    state.lastUpdate = u;
    if (u.caption !== undefined) {
      $('caption').textContent = u.caption;
      document.title = u.caption;
    }
    if (u.windowWidth !== undefined) {
      const w = layout.window;
      client.style.width = Math.max(1, px(u.windowWidth - w.frameWidth)) + 'px';
      for (let i = 0; i < 2; ++i) {
        const at = w.lists[i].place;
        place(lists[i].el, [u.slowoLeft[i], at[1], u.slowoWidth[i], at[3]]);
      }
    }
    const looks = u.looks || {};
    applyLook(client, looks.window, false);
    lists.forEach((list, i) => applyLook(list.el, looks['list' + i], true));
    applyLook(textBox, looks.text, true);
    applyLook(counter, looks.counter, false);

    // The lists first, as the model edits them while it handles the action: the texts and
    // the selection, the lists' heights written, then where they scroll read, then the rows
    // in view drawn. A new look or width draws them again, to measure their rows anew.
    const edits = u.lists || [];
    lists.forEach((list, i) => {
      if (edits[i] && edits[i].length) editList(list, edits[i]);
      if (looks['list' + i] || u.windowWidth !== undefined) list.dirty = true;
      if (u.selected) markSelection(list, u.selected[i]);
      sizeList(list);
    });
    const scrolls = lists.map(scrollFor);
    lists.forEach((list, i) => {
      if (scrolls[i] !== null) list.el.scrollTop = scrolls[i];
      drawList(list);
    });

    // Shown before the buttons change: "Оцени", disabled with the focus, hands it to the
    // verdict box.
    if (u.verdictShown !== undefined) verdict.hidden = !u.verdictShown;
    if (u.buttons) {
      u.buttons.forEach((enabled, i) => {
        const hadFocus = document.activeElement === buttons[i];
        buttons[i].disabled = !enabled;
        if (hadFocus && !enabled) focusAfter(buttons[i]);
      });
    }
    if (u.counter !== undefined) setCounter(u.counter);
    // A new text starts at its first line.
    if (u.text !== undefined) {
      textBox.value = u.text;
      textBox.scrollTop = 0;
      if (document.activeElement === textBox) textBox.setSelectionRange(0, 0);
    }
    if (u.verdict) {
      verdict.textContent = u.verdict.text;
      paint(verdict, u.verdict.colour);
    }
    if (u.thumbnail !== undefined) showPicture(thumbnail.querySelector('img'), u.thumbnail);
    if (u.pictureWindow) showPictureWindow(u.pictureWindow);
    if (u.dialog) showDialog(u.dialog);
    if (u.exit) end();
    for (const watcher of watchers) {
      try {
        watcher(u);
      } catch (e) {
        // A watcher's fault is no fault of the test's.
      }
    }
  }

  // "Exit": the learner sees, instead of the window, that the test is over and the tab can be
  // closed, with "Започни отначало", which loads the page again: a fresh test from its start.
  function end() {
    ended = true;
    win.hidden = true;
    pictureWindow.hidden = true;
    dialog.el.hidden = true;
    $('ended').hidden = false;
    fit();
    $('restart').focus();
  }

  function showMessage(kind) {
    $('loading').hidden = true;
    win.hidden = true;
    const fault = $('fault');
    fault.textContent = MESSAGES[kind];
    fault.hidden = false;
    fit();
    return kind;
  }

  // ------------------------------------------------------------------ narrow screens
  // A window wider than the screen is scaled down to its width as a whole; the page then
  // scrolls only up and down.
  function fit() {
    const room = document.documentElement.clientWidth;
    const width = win.hidden ? 0 : win.offsetWidth;
    scale = width > room ? room / width : 1;
    stage.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
    stage.style.width = room / scale + 'px';
    win.style.left = Math.max(0, Math.floor((room / scale - width) / 2)) + 'px';
    let bottom = win.hidden ? 0 : win.offsetTop + win.offsetHeight + 8;
    if (!pictureWindow.hidden) bottom = Math.max(bottom, pictureWindow.offsetTop + pictureWindow.offsetHeight + 8);
    bottom *= scale;
    // The dialog stands on the page unscaled by the stage.
    if (!dialog.el.hidden && dialog.at) bottom = Math.max(bottom, dialog.at[1] + dialog.el.offsetHeight * dialog.scale + 8);
    holder.style.height = Math.ceil(bottom) + 'px';
  }

  // ------------------------------------------------------------------ the keyboard and the menus
  // A menu bar: its items, what each does, and where the focus goes back when the bar leaves
  // the keyboard. The arrows go along it, Enter or Space chooses, Escape or Tab leaves.
  function makeMenu(items, actions) {
    const menu = {items: items, back: null};
    menu.has = (el) => items.indexOf(el) >= 0;
    menu.enter = () => {
      menu.back = document.activeElement;
      items[0].focus();
    };
    menu.leave = () => {
      const back = menu.back;
      menu.back = null;
      if (back && back !== document.body && back.isConnected && !back.disabled && !back.hidden) back.focus();
      else document.activeElement.blur();
    };
    items.forEach((item, k) => {
      item.addEventListener('click', () => {
        if (menu.back) menu.leave();
        actions[k]();
      });
      item.addEventListener('keydown', (e) => {
        if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          items[(k + (e.key === 'ArrowRight' ? 1 : items.length - 1)) % items.length].focus();
        } else if (e.key === 'Home' || e.key === 'End') {
          items[e.key === 'Home' ? 0 : items.length - 1].focus();
        } else if (e.key === 'Enter' || e.key === ' ') {
          menu.leave();
          actions[k]();
        } else if (e.key === 'Escape' || e.key === 'Tab') {
          menu.leave();
        } else {
          return;
        }
        e.preventDefault();
        e.stopPropagation();
      });
    });
    return menu;
  }

  let altAlone = false;

  function bindList(list) {
    list.el.addEventListener('keydown', (e) => listKey(list, e));
    list.el.addEventListener('scroll', () => drawList(list), {passive: true});
    // A mouse selects at the press, as the desktop list; a finger or pen at the tap, so
    // that a list can still be scrolled with a finger.
    list.el.addEventListener('pointerdown', (e) => {
      if (e.pointerType === 'mouse' && e.button === 0) choose(list, rowAt(list, e.target));
    });
    list.el.addEventListener('click', (e) => choose(list, rowAt(list, e.target)));
  }

  function bindInput() {
    lists.forEach(bindList);
    client.addEventListener('focusin', (e) => { windowFocus = e.target; });
    buttons.forEach((b, i) => b.addEventListener('click', () => act(() => quiz.press(i))));
    thumbnail.addEventListener('click', () => act(() => quiz.clickPicture()));
    thumbnail.addEventListener('keydown', (e) => {
      if (e.key === ' ' || e.key === 'Enter') {
        e.preventDefault();
        act(() => quiz.clickPicture());
      }
    });
    const windowMenu = makeMenu(menuItems, [() => act(() => quiz.exit()), () => openAppearance()]);
    const dialogMenu = makeMenu(dialog.menuItems, [() => act(() => quiz.save()), () => act(() => quiz.cancel())]);
    // The menu bar of the window the focus is in.
    const menuAt = (el) => (dialog.el.contains(el) ? dialogMenu : windowMenu);
    const toggleMenu = () => {
      const menu = menuAt(document.activeElement);
      if (menu.has(document.activeElement)) menu.leave();
      else menu.enter();
    };
    $('restart').addEventListener('click', () => location.reload());
    bindPictureWindow();
    bindDialog(dialogMenu);

    // F10, or Alt pressed and released alone, gives the keyboard to the menu bar or back.
    document.addEventListener('keydown', (e) => {
      document.body.classList.add('keys');
      altAlone = e.key === 'Alt' && !e.repeat;
      if (e.key === 'F10' && !e.shiftKey && !e.ctrlKey && !e.altKey && !ended && !win.hidden) {
        e.preventDefault();
        toggleMenu();
      }
    });
    document.addEventListener('keyup', (e) => {
      if (e.key !== 'Alt' || !altAlone || ended || win.hidden) return;
      altAlone = false;
      e.preventDefault();
      toggleMenu();
    });
    document.addEventListener('pointerdown', () => {
      document.body.classList.remove('keys');
      altAlone = false;
    }, true);
    // A narrower screen keeps the picture window and the dialog on it.
    window.addEventListener('resize', () => {
      fit();
      if (!pictureWindow.hidden && pictureAt) movePictureWindow(pictureAt[0], pictureAt[1]);
      if (!dialog.el.hidden && dialog.at) moveDialog(dialog.at[0], dialog.at[1]);
    });
  }

  // ------------------------------------------------------------------ start
  function base64Bytes(id) {
    const el = $(id);
    if (!el) throw new Error('no ' + id);
    const binary = atob(el.textContent.replace(/\s+/g, ''));
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  async function inflate(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
    return new Response(stream).arrayBuffer();
  }

  async function start() {
    if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function'
        || typeof KazEngine !== 'function') return showMessage('old');
    let Module;
    let testBytes;
    try {
      testBytes = base64Bytes('kaz-test');
      Module = await KazEngine({wasmBinary: await inflate(base64Bytes('kaz-engine'))});
      quiz = state.quiz = new Module.Quiz(testBytes, PAGE_FONTS.join('\n'));
    } catch (e) {
      console.error(e);
      return showMessage('damaged');
    }
    try {
      // The first update brings the layout, which every control is drawn by.
      const first = JSON.parse(quiz.start());
      if (first.fault) return showMessage(MESSAGES[first.fault] ? first.fault : 'damaged');
      layout = first.layout;
      buildWindow(layout.window);
      buildDialog(layout.dialog);
      bindInput();
      $('loading').hidden = true;
      win.hidden = false;
      fit();
      apply(first);
    } catch (e) {
      console.error(e);
      return showMessage('damaged');
    }
    fit();
    return 'ok';
  }

  state.ready = start();
})();
