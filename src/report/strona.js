// The map report's script: pans and zooms every plan (the wheel, dragging, a
// double click for the whole plan); a marker hovered shows its change, a
// row's number shows its marker. Embedded into the page by the build; with
// scripts off the whole plan shows.
for (const plan of document.querySelectorAll('svg.plan')) {
  const calosc = plan.getAttribute('viewBox').split(' ').map(Number);
  let widok = calosc.slice();
  let chwyt = null;
  const ustaw = () => plan.setAttribute('viewBox', widok.join(' '));
  const punkt = (e) =>
    new DOMPoint(e.clientX, e.clientY).matrixTransform(plan.getScreenCTM().inverse());

  plan.addEventListener('wheel', (e) => {
    e.preventDefault();
    const p = punkt(e);
    const k = e.deltaY > 0 ? 1.25 : 0.8;
    widok = [p.x - (p.x - widok[0]) * k, p.y - (p.y - widok[1]) * k, widok[2] * k, widok[3] * k];
    ustaw();
  });
  plan.addEventListener('mousedown', (e) => { chwyt = punkt(e); });
  addEventListener('mouseup', () => { chwyt = null; });
  plan.addEventListener('mousemove', (e) => {
    if (!chwyt) return;
    const p = punkt(e);
    widok[0] -= p.x - chwyt.x;
    widok[1] -= p.y - chwyt.y;
    ustaw();
  });
  plan.addEventListener('dblclick', () => { widok = calosc.slice(); ustaw(); });

  const zmiany = plan.querySelector('.zmiany');
  const sekcja = plan.closest('section');
  const opis = sekcja.querySelector('.opis');
  const wiersze = sekcja.querySelectorAll('.tabela.zmian tbody tr');
  const zaznacz = (i) => {
    for (const e of sekcja.querySelectorAll('.wybrany')) e.classList.remove('wybrany');
    zmiany.children[i].classList.add('wybrany');
    if (wiersze[i]) {
      wiersze[i].classList.add('wybrany');
      opis.textContent = wiersze[i].innerText.replace(/\t/g, '  ');
    } else {
      opis.textContent = 'Zmiana ' + (i + 1) + ' (poza tabelą, zob. Log_korekcja.txt)';
    }
  };
  zmiany.addEventListener('mouseover', (e) => {
    const i = [...zmiany.children].indexOf(e.target.closest('.zmiany>*'));
    if (i >= 0) zaznacz(i);
  });
  // Objects left alone: a ring hovered shows its row, a row's number its
  // ring, and the switch hides them all.
  const pozostawione = plan.querySelector('.pozostawione');
  const wiersze_p = sekcja.querySelectorAll('.tabela.pozostawionych tbody tr');
  const zaznacz_p = (pierscien) => {
    for (const e of sekcja.querySelectorAll('.wybrany')) e.classList.remove('wybrany');
    pierscien.classList.add('wybrany');
    const w = wiersze_p[+pierscien.dataset.w];
    if (w) {
      w.classList.add('wybrany');
      opis.textContent = w.innerText.replace(/\t/g, '  ');
    } else {
      opis.textContent = 'Pozostawiony bez zmian (poza tabelą): ' + pierscien.getAttribute('class');
    }
  };
  if (pozostawione) {
    pozostawione.addEventListener('mouseover', (e) => {
      if (e.target.tagName === 'circle') zaznacz_p(e.target);
    });
    const przelacznik = sekcja.querySelector('.pokaz-pozostawione');
    if (przelacznik) {
      przelacznik.addEventListener('change', () => {
        pozostawione.style.display = przelacznik.checked ? '' : 'none';
      });
    }
    for (const a of sekcja.querySelectorAll('a[data-p]')) {
      a.addEventListener('click', () => {
        const pierscien = pozostawione.children[+a.dataset.p];
        const b = pierscien.getBBox();
        const r = Math.max(calosc[2], calosc[3]) / 20;
        widok = [b.x + b.width / 2 - r, b.y + b.height / 2 - r, 2 * r, 2 * r];
        ustaw();
        zaznacz_p(pierscien);
      });
    }
  }
  for (const a of sekcja.querySelectorAll('a[data-i]')) {
    a.addEventListener('click', () => {
      const i = +a.dataset.i;
      const b = zmiany.children[i].getBBox();
      const r = Math.max(calosc[2], calosc[3]) / 20;
      widok = [b.x + b.width / 2 - r, b.y + b.height / 2 - r, 2 * r, 2 * r];
      ustaw();
      zaznacz(i);
    });
  }
}
